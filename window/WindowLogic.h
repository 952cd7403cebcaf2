// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmControls.h"
#include "AlarmLogic.h"
#include "TrayClick.h"
#include "WallClock.h"

#include <functional>

namespace core {

// The window and its icon as the platform shows them: what the window's own
// sequences do beyond the alarm's controls.
class WindowShell : public TrayTarget
{
public:
    virtual ~WindowShell() = default;
    virtual void showTimeOfDay(TimeOfDay time) = 0; // in the current-time label
    virtual void showAndRepaint() = 0;
    virtual void addTrayIcon() = 0;
    virtual void removeTrayIcon() = 0;
    virtual void endProgram() = 0; // at once
};

// The window's sequences, the same on every platform: start-up, the time
// display's tick, Exit and unload.
class WindowLogic
{
public:
    WindowLogic(WindowShell &shell, AlarmControls &controls, AlarmLogic &alarm, const WallClock &clock,
                std::function<void()> yield);

    // Starts disarmed, the picker at the present moment, the focus in it;
    // the icon comes last, once the window is on the screen.
    void load();
    // The time display's tick: `now` is the reading the tick was timed by.
    void tick(ClockReading now);
    // Exit, from the button or the icon's menu: no ring, no icon left behind.
    void exit();
    // The window was closed.
    void unload();

private:
    WindowShell &m_shell;
    AlarmControls &m_controls;
    AlarmLogic &m_alarm;
    const WallClock &m_clock;
    std::function<void()> m_yield;
};

} // namespace core
