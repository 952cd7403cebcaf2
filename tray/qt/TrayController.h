// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayLogic.h"

#include <QSystemTrayIcon>

#include <functional>

class QMenu;
class QWidget;

// The tray's logic on Qt's window and menu: a click restores the window, a
// right click opens the icon's menu, and minimizing hides the window into the icon.
class TrayController : private core::TrayWindow
{
public:
    // trayShown tells whether the icon can be seen right now; without it a
    // hidden window could never be brought back, so minimizing only minimizes.
    TrayController(QWidget &window, QMenu &menu, std::function<bool()> trayShown);

    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void windowStateChanged() { m_logic.windowStateChanged(); }
    void restore() { m_logic.restore(); }

    // The mouse message that Qt's activation reason stands for.
    static unsigned mouseMessage(QSystemTrayIcon::ActivationReason reason);

private:
    bool isMinimized() const override;
    bool isVisible() const override;
    bool iconShown() const override { return m_trayShown(); }
    void hide() override;
    void showMinimized() override;
    void restoreSteps() override;
    void openMenu() override;
    void addIconAgain() override {} // Qt adds its icon again by itself
    void bringToForeground();

    QWidget &m_window;
    QMenu &m_menu;
    std::function<bool()> m_trayShown;
    core::TrayLogic m_logic{ *this };
};
