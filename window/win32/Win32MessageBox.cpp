// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Win32MessageBox.h"

void Win32MessageBox::show(const std::string &text, int style, const std::string &title)
{
    // The box's end activates its owner even when hidden, and a hidden window
    // would keep the keyboard: it goes back to the window the user was in.
    HWND userWindow = IsWindowVisible(m_owner) ? nullptr : GetForegroundWindow();
    MessageBoxA(m_owner, text.c_str(), title.c_str(), UINT(style));
    if (!userWindow || IsWindowVisible(m_owner) || GetForegroundWindow() != m_owner)
        return;
    SetForegroundWindow(userWindow != m_owner && IsWindow(userWindow) ? userWindow : GetShellWindow());
}
