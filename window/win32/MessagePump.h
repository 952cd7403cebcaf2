// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// The program's one message loop. Keys go through the window's dialog
// navigation first: Tab between the controls and the access keys, which act
// with Alt only. Enter presses the focused button, as in a dialog; no button
// answers Enter or Esc elsewhere.
class MessagePump
{
public:
    // `window`: the main window's handle, set once it is created.
    explicit MessagePump(const HWND &window) : m_window(window) {}

    // Until the window is gone; returns the exit code.
    int run();

    // Handles the messages already queued for the window and its controls,
    // then returns. Timer ticks are left in the queue for the main loop, so a
    // tick never runs inside a tick; while a modal loop of the system's runs
    // (the ringing box, a menu, a window drag) every message is left to it.
    void yield();

private:
    void dispatch(MSG &msg);
    bool pressFocusedButton(const MSG &msg);
    bool inModalLoop() const;

    const HWND &m_window;
};
