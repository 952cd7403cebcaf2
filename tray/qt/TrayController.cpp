// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayController.h"

#include "ForegroundWindow.h"
#include "TrayClick.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

TrayController::TrayController(QWidget &window, QMenu &menu, std::function<bool()> trayShown)
    : m_window(window), m_menu(menu), m_trayShown(std::move(trayShown))
{
}

unsigned TrayController::mouseMessage(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return 0x202; // left button released
    case QSystemTrayIcon::DoubleClick:
        return 0x203; // left button double-clicked
    case QSystemTrayIcon::Context:
        return 0x205; // right button released
    default:
        return 0x200; // nothing that acts
    }
}

void TrayController::windowStateChanged()
{
    if (core::hidesOnMinimize(m_window.isMinimized(), m_window.isVisible(), m_trayShown()))
        m_window.hide();
}

void TrayController::restoreFromTray()
{
    m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
    // A compositor that minimized the window without telling brings it back
    // only when it is mapped anew.
    if (m_window.isVisible() && !ForegroundWindow::toldOfMinimizing())
        m_window.hide();
    m_window.show();
    bringToForeground();
}

void TrayController::bringToForeground()
{
    // A hidden window stays hidden: only a visible one is raised.
    if (!m_window.isVisible())
        return;
    ForegroundWindow::bringToForeground(m_window);
}

void TrayController::openTrayMenu()
{
    bringToForeground();
    // An XEmbed icon given the menu has already opened it at the pointer.
    if (!m_menu.isVisible())
        m_menu.popup(QCursor::pos());
}
