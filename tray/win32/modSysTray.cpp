// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modSysTray.h"

#include "WindowDesign.h"

#include <cstring>

void modSysTray::add(HWND window, HICON icon)
{
    m_record.cbSize = sizeof m_record;
    m_record.hWnd = window;
    m_record.uID = IconId;
    m_record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_record.uCallbackMessage = CallbackMessage;
    m_record.hIcon = icon;
    std::strncpy(m_record.szTip, core::design::TrayTip, sizeof m_record.szTip - 1);
    m_registered = true;
    m_shown = Shell_NotifyIconA(NIM_ADD, &m_record) != FALSE;
}

void modSysTray::addAgain()
{
    // The shell also says so when only its settings or the screen's scale
    // changed: an icon still there refuses to be added, and is updated instead.
    if (m_registered)
        m_shown = Shell_NotifyIconA(NIM_ADD, &m_record) != FALSE
                  || Shell_NotifyIconA(NIM_MODIFY, &m_record) != FALSE;
}

void modSysTray::remove()
{
    if (!m_registered)
        return;
    Shell_NotifyIconA(NIM_DELETE, &m_record);
    m_registered = false;
    m_shown = false;
}
