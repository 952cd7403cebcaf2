// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// The program's one message loop. Keys go through the window's dialog
// navigation first: Tab between the controls and the access keys.
class MessagePump
{
public:
    // `window`: the main window's handle, set once it is created.
    explicit MessagePump(const HWND &window) : m_window(window) {}

    // Until the window is gone; returns the exit code.
    int run();

    // Handles the messages already queued, then returns. Timer ticks are left
    // in the queue for the main loop, so a tick never runs inside a tick.
    void yield();

private:
    void dispatch(MSG &msg);

    const HWND &m_window;
};
