// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessagePump.h"

int MessagePump::run()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        dispatch(msg);
    return int(msg.wParam);
}

void MessagePump::dispatch(MSG &msg)
{
    if (IsWindow(m_window) && IsDialogMessageA(m_window, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void MessagePump::yield()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE)
           || PeekMessageA(&msg, nullptr, WM_TIMER + 1, UINT(-1), PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam)); // for the main loop to see
            return;
        }
        dispatch(msg);
    }
}
