// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmControls.h"

#include <windows.h>

class FocusKeeper;
class TickTimer;
class TimePicker;

// The alarm's state on the window's controls: the picker, Set, Cancel and
// the check timer.
class WindowAlarmControls : public core::AlarmControls
{
public:
    WindowAlarmControls(TimePicker &picker, HWND set, HWND cancel, TickTimer &check, FocusKeeper &focus);

    core::ClockReading pickerValue() const override;
    void setPickerValue(core::ClockReading value) override;
    void setEnabled(Control control, bool enabled) override;
    void focus(Control button) override;

private:
    HWND handle(Control control) const;

    TimePicker &m_picker;
    HWND m_set;
    HWND m_cancel;
    TickTimer &m_check;
    FocusKeeper &m_focus;
};
