// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayController.h"

#include "modSysTray.h"

TrayController::TrayController(HWND window, HMENU menu, modSysTray &sysTray)
    : m_window(window), m_menu(menu), m_sysTray(sysTray)
{
}

bool TrayController::isMinimized() const
{
    return IsIconic(m_window);
}

bool TrayController::isVisible() const
{
    return IsWindowVisible(m_window);
}

bool TrayController::iconShown() const
{
    return m_sysTray.isShown();
}

void TrayController::hide()
{
    ShowWindow(m_window, SW_HIDE);
}

void TrayController::showMinimized()
{
    ShowWindow(m_window, SW_SHOWMINNOACTIVE);
}

void TrayController::addIconAgain()
{
    m_sysTray.addAgain();
}

void TrayController::restoreSteps()
{
    ShowWindow(m_window, SW_RESTORE);
    SetForegroundWindow(m_window);
    ShowWindow(m_window, SW_SHOW);
}

void TrayController::openMenu()
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
