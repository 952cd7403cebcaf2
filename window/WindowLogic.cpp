// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowLogic.h"

namespace core {

using Control = AlarmControls::Control;

WindowLogic::WindowLogic(WindowShell &shell, AlarmControls &controls, AlarmLogic &alarm, const WallClock &clock,
                         std::function<void()> yield)
    : m_shell(shell), m_controls(controls), m_alarm(alarm), m_clock(clock), m_yield(std::move(yield))
{
}

void WindowLogic::load()
{
    m_controls.setEnabled(Control::Check, false);
    const ClockReading now = m_clock.now();
    m_controls.setPickerValue(now);
    m_shell.showTimeOfDay(timeOfDay(now));
    m_controls.setEnabled(Control::Cancel, false);
    m_shell.showAndRepaint();
    m_controls.focus(Control::Picker);
    m_shell.addTrayIcon();
}

void WindowLogic::tick(ClockReading now)
{
    m_shell.showTimeOfDay(timeOfDay(now));
    m_yield();
}

void WindowLogic::exit()
{
    m_alarm.stopChecking();
    m_shell.removeTrayIcon();
    m_shell.endProgram();
}

void WindowLogic::unload()
{
    m_shell.removeTrayIcon();
    m_alarm.stopChecking();
}

} // namespace core
