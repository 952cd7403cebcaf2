// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// Which control has the focus in the window, kept while the window is not
// active (hidden in the notification area, or behind the ringing box) and
// given back when it is activated again.
class FocusKeeper
{
public:
    // `window`: the main window's handle, set once it is created.
    explicit FocusKeeper(const HWND &window) : m_window(window) {}

    // Focuses the control now if the window is active, else when it next is.
    void focus(HWND control);

    // The window's WM_ACTIVATE and WM_SETFOCUS.
    void windowDeactivated();
    void windowFocused();

private:
    const HWND &m_window;
    HWND m_control = nullptr;
};
