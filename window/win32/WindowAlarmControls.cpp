// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowAlarmControls.h"

#include "FocusKeeper.h"
#include "TickTimer.h"
#include "TimePicker.h"

WindowAlarmControls::WindowAlarmControls(TimePicker &picker, HWND set, HWND cancel, TickTimer &check,
                                         FocusKeeper &focus)
    : m_picker(picker), m_set(set), m_cancel(cancel), m_check(check), m_focus(focus)
{
}

core::ClockReading WindowAlarmControls::pickerValue() const
{
    return m_picker.value();
}

void WindowAlarmControls::setPickerValue(core::ClockReading value)
{
    m_picker.setValue(value);
}

void WindowAlarmControls::setPickerEnabled(bool enabled)
{
    EnableWindow(m_picker.handle(), enabled);
}

void WindowAlarmControls::setCheckEnabled(bool enabled)
{
    m_check.setEnabled(enabled);
}

void WindowAlarmControls::setSetEnabled(bool enabled)
{
    EnableWindow(m_set, enabled);
}

void WindowAlarmControls::setCancelEnabled(bool enabled)
{
    EnableWindow(m_cancel, enabled);
}

void WindowAlarmControls::focusSet()
{
    m_focus.focus(m_set);
}

void WindowAlarmControls::focusCancel()
{
    m_focus.focus(m_cancel);
}
