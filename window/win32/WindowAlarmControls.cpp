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

HWND WindowAlarmControls::handle(Control control) const
{
    return control == Control::Picker ? m_picker.handle() : control == Control::Set ? m_set : m_cancel;
}

void WindowAlarmControls::setEnabled(Control control, bool enabled)
{
    if (control == Control::Check)
        m_check.setEnabled(enabled);
    else
        EnableWindow(handle(control), enabled);
}

void WindowAlarmControls::focus(Control button)
{
    m_focus.focus(handle(button));
}
