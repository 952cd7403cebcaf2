// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusKeeper.h"

void FocusKeeper::focus(HWND control)
{
    m_control = control;
    // Focusing a control of an inactive window would activate it, hidden or not.
    if (GetActiveWindow() == m_window)
        SetFocus(control);
}

void FocusKeeper::windowDeactivated()
{
    const HWND focused = GetFocus();
    if (focused && IsChild(m_window, focused))
        m_control = focused;
}

void FocusKeeper::windowFocused()
{
    if (!m_control || !IsWindowEnabled(m_control))
        m_control = GetNextDlgTabItem(m_window, nullptr, FALSE);
    if (m_control)
        SetFocus(m_control);
}
