// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayLogic.h"

#include "TrayClick.h"

namespace core {

void TrayLogic::iconEvent(unsigned mouseMessage)
{
    switch (trayAction(mouseMessage)) {
    case TrayAction::Restore:
        restore();
        break;
    case TrayAction::OpenMenu:
        m_window.openMenu();
        break;
    case TrayAction::None:
        break;
    }
}

void TrayLogic::windowStateChanged()
{
    // Without the icon a hidden window could not be brought back: it only minimizes.
    if (m_window.isMinimized() && m_window.isVisible() && m_window.iconShown())
        m_window.hide();
}

void TrayLogic::shellRestarted()
{
    m_window.addIconAgain();
    // A window hidden behind an icon that could not come back would be lost.
    if (!m_window.iconShown() && m_window.isMinimized() && !m_window.isVisible())
        m_window.showMinimized();
}

} // namespace core
