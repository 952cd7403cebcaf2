// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayController.h"

#include "TrayClick.h"
#include "modSysTray.h"

TrayController::TrayController(HWND window, HMENU menu, modSysTray &sysTray)
    : m_window(window), m_menu(menu), m_sysTray(sysTray)
{
}

void TrayController::windowStateChanged()
{
    if (core::hidesOnMinimize(IsIconic(m_window), IsWindowVisible(m_window), m_sysTray.isShown()))
        ShowWindow(m_window, SW_HIDE);
}

void TrayController::shellRestarted()
{
    m_sysTray.addAgain();
    if (core::showsMinimizedWithoutIcon(IsIconic(m_window), IsWindowVisible(m_window), m_sysTray.isShown()))
        ShowWindow(m_window, SW_SHOWMINNOACTIVE);
}

void TrayController::restoreFromTray()
{
    ShowWindow(m_window, SW_RESTORE);
    SetForegroundWindow(m_window);
    ShowWindow(m_window, SW_SHOW);
}

void TrayController::openTrayMenu()
{
    // The menu closes when the user clicks elsewhere only if the window is in
    // the foreground while it is open, and once a message follows it.
    SetForegroundWindow(m_window);
    POINT pointer{};
    GetCursorPos(&pointer);
    TrackPopupMenu(m_menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, m_window,
                   nullptr);
    PostMessageW(m_window, WM_NULL, 0, 0);
}
