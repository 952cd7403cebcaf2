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
    // A plain character would count as an access key on a control that takes
    // none (a button): only Alt+letter (WM_SYSCHAR) goes to the dialog manager.
    if (msg.message != WM_CHAR && IsWindow(m_window)
        && (pressFocusedButton(msg) || IsDialogMessageA(m_window, &msg)))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

bool MessagePump::pressFocusedButton(const MSG &msg)
{
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || !IsChild(m_window, msg.hwnd)
        || !(SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
        return false;
    // Once a press: Enter held down would go on to the button that Set or
    // Cancel moves the focus to, and undo it.
    const bool repeated = msg.lParam & (LPARAM(1) << 30);
    if (!repeated)
        SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(msg.hwnd), BN_CLICKED), LPARAM(msg.hwnd));
    return true;
}

bool MessagePump::inModalLoop() const
{
    // The ringing box disables its owner; menus and drags mark the thread.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetCurrentThreadId(), &thread);
    return !IsWindowEnabled(m_window)
           || (thread.flags & (GUI_INMENUMODE | GUI_INMOVESIZE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE));
}

void MessagePump::yield()
{
    if (inModalLoop())
        return;
    MSG msg;
    while (PeekMessageA(&msg, m_window, 0, WM_TIMER - 1, PM_REMOVE)
           || PeekMessageA(&msg, m_window, WM_TIMER + 1, UINT(-1), PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam)); // for the main loop to see
            return;
        }
        dispatch(msg);
    }
}
