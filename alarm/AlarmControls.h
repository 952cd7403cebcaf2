// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockReading.h"

namespace core {

// The window's controls whose enabled flags and value are the alarm's whole
// state; the alarm keeps no variables of its own.
//   Disarmed: check off, picker on,  Set on,  Cancel off
//   Armed:    check on,  picker off, Set off, Cancel on  (also while ringing)
class AlarmControls
{
public:
    enum class Control { Picker, Check, Set, Cancel }; // Check: the once-a-second check timer

    virtual ~AlarmControls() = default;

    // The picker's value: the alarm moment.
    virtual ClockReading pickerValue() const = 0;
    virtual void setPickerValue(ClockReading value) = 0;

    virtual void setEnabled(Control control, bool enabled) = 0;
    // Where the focus goes: the picker at start-up, Set or Cancel when the focused button has just been disabled.
    virtual void focus(Control control) = 0;
};

} // namespace core
