// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayClick.h"

#include <windows.h>

class modSysTray;

// What the notification-area icon does with the window: a left click or
// double click restores it, a right click opens the icon's menu, and while the
// icon is there minimizing hides the window, off the screen and the taskbar.
class TrayController : public core::TrayTarget
{
public:
    TrayController(HWND window, HMENU menu, modSysTray &sysTray);

    void windowStateChanged();
    void restoreFromTray() override;
    void openTrayMenu() override;
    // The shell has started again ("TaskbarCreated"): the icon is added anew.
    void shellRestarted();

private:
    HWND m_window;
    HMENU m_menu;
    modSysTray &m_sysTray;
};
