// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayWindow.h"

namespace core {

// What the notification-area icon does to the window: a click restores it, a
// right click opens the icon's menu, and while the icon can be seen,
// minimizing hides the window into it.
class TrayLogic
{
public:
    explicit TrayLogic(TrayWindow &window) : m_window(window) {}

    // `mouseMessage`: the window message that reports the mouse event on the icon.
    void iconEvent(unsigned mouseMessage);
    void windowStateChanged();
    void restore() { m_window.restoreSteps(); }
    void shellRestarted();

private:
    TrayWindow &m_window;
};

} // namespace core
