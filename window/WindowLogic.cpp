// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowLogic.h"

namespace core {

using Control = AlarmControls::Control;

WindowLogic::WindowLogic(WindowShell &shell, TrayTarget &tray, AlarmControls &controls, AlarmLogic &alarm,
                         const WallClock &clock, std::function<void()> yield)
    : m_shell(shell), m_tray(tray), m_controls(controls), m_alarm(alarm), m_clock(clock), m_yield(std::move(yield))
{
}

void WindowLogic::Form_Load()
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

void WindowLogic::Form_Unload()
{
    m_shell.removeTrayIcon();
    m_alarm.stopChecking();
}

void WindowLogic::Form_MouseMove(unsigned mouseMessage)
{
    dispatchTrayEvent(mouseMessage, m_tray);
}

void WindowLogic::tmrCurrentTimer_Timer(ClockReading now)
{
    m_shell.showTimeOfDay(timeOfDay(now));
    m_yield();
}

void WindowLogic::tmrAlarmTimer_Timer()
{
    m_alarm.check();
}

void WindowLogic::cmdSet_Click()
{
    m_alarm.set();
}

void WindowLogic::cmdCancel_Click()
{
    m_alarm.cancel();
}

void WindowLogic::cmdExit_Click()
{
    m_alarm.stopChecking();
    m_shell.removeTrayIcon();
    m_shell.endProgram();
}

void WindowLogic::mPopRestore_Click()
{
    m_tray.restoreFromTray();
}

void WindowLogic::mPopExit_Click()
{
    cmdExit_Click();
}

} // namespace core
