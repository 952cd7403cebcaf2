// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayLogic.h"

#include <windows.h>

class modSysTray;

// The tray's logic on the Win32 window and menu: a left click or double
// click restores the window, a right click opens the icon's menu, and while
// the icon is there minimizing hides the window, off the screen and the taskbar.
class TrayController : private core::TrayWindow
{
public:
    TrayController(HWND window, HMENU menu, modSysTray &sysTray);

    // The icon's callback message; `event` is the mouse message the shell reports.
    void iconEvent(UINT event) { m_logic.iconEvent(event); }
    void windowStateChanged() { m_logic.windowStateChanged(); }
    void restore() { m_logic.restore(); }
    // The shell has started again ("TaskbarCreated").
    void shellRestarted() { m_logic.shellRestarted(); }

private:
    bool isMinimized() const override;
    bool isVisible() const override;
    bool iconShown() const override;
    void hide() override;
    void showMinimized() override;
    void restoreSteps() override;
    void openMenu() override;
    void addIconAgain() override;

    HWND m_window;
    HMENU m_menu;
    modSysTray &m_sysTray;
    core::TrayLogic m_logic{ *this };
};
