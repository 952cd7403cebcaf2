// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>
#include <shellapi.h>

// The program's icon in the taskbar's notification area: one record, filled
// once, added at the end of start-up and taken away when the window closes.
// The shell reports mouse events on the icon with a private message of the
// window's, never one of the window's own.
class modSysTray
{
public:
    static constexpr UINT CallbackMessage = WM_APP + 1;
    static constexpr UINT IconId = 1;

    void add(HWND window, HICON icon);
    // After the shell has restarted ("TaskbarCreated"): the icon again, if it was there.
    void addAgain();
    void remove();
    bool isShown() const { return m_shown; }

private:
    NOTIFYICONDATAA m_record{};
    bool m_registered = false;
    bool m_shown = false;
};
