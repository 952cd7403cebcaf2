// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayClick.h"

#include <QSystemTrayIcon>

#include <functional>

class QMenu;
class QWidget;

// What the notification-area icon does to the window: a click restores it, a
// right click opens the icon's menu, and minimizing hides the window into the icon.
class TrayController : public core::TrayTarget
{
public:
    // trayShown tells whether the icon can be seen right now; without it a
    // hidden window could never be brought back, so minimizing only minimizes.
    TrayController(QWidget &window, QMenu &menu, std::function<bool()> trayShown);

    // Qt's reason for an activation of the icon, as the mouse message it stands for.
    static unsigned mouseMessage(QSystemTrayIcon::ActivationReason reason);

    void windowStateChanged();
    void restoreFromTray() override;
    void openTrayMenu() override;

private:
    void bringToForeground();

    QWidget &m_window;
    QMenu &m_menu;
    std::function<bool()> m_trayShown;
};
