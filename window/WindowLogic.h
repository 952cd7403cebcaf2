// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmControls.h"
#include "AlarmLogic.h"
#include "TrayClick.h"
#include "WallClock.h"

#include <functional>

namespace core {

// The window and its icon as the platform shows them: what the window's
// handlers do beyond the alarm's controls and the icon's clicks.
class WindowShell
{
public:
    virtual ~WindowShell() = default;
    virtual void showTimeOfDay(TimeOfDay time) = 0; // in the current-time label
    virtual void showAndRepaint() = 0;
    virtual void addTrayIcon() = 0;
    virtual void removeTrayIcon() = 0;
    virtual void endProgram() = 0; // at once
};

// The window's event handlers, the same on every platform: each platform
// raises them from its own events and does what they ask of its window.
class WindowLogic
{
public:
    WindowLogic(WindowShell &shell, TrayTarget &tray, AlarmControls &controls, AlarmLogic &alarm,
                const WallClock &clock, std::function<void()> yield);

    // Starts disarmed, the picker at the present moment, the focus in it;
    // the icon comes last, once the window is on the screen.
    void Form_Load();
    // The window was closed.
    void Form_Unload();
    // A mouse event on the icon, numbered as Windows reports it.
    void Form_MouseMove(unsigned mouseMessage);
    // The time display's tick: `now` is the reading the tick was timed by.
    void tmrCurrentTimer_Timer(ClockReading now);
    void tmrAlarmTimer_Timer();
    void cmdSet_Click();
    void cmdCancel_Click();
    // Exit ends the program at once: no ring, no icon left behind.
    void cmdExit_Click();
    void mPopRestore_Click();
    void mPopExit_Click();

private:
    WindowShell &m_shell;
    TrayTarget &m_tray;
    AlarmControls &m_controls;
    AlarmLogic &m_alarm;
    const WallClock &m_clock;
    std::function<void()> m_yield;
};

} // namespace core
