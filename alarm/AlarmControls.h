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
    virtual ~AlarmControls() = default;

    // The picker's value: the alarm moment.
    virtual ClockReading pickerValue() const = 0;
    virtual void setPickerValue(ClockReading value) = 0;

    virtual void setPickerEnabled(bool enabled) = 0;
    virtual void setCheckEnabled(bool enabled) = 0; // the once-a-second check timer
    virtual void setSetEnabled(bool enabled) = 0;
    virtual void setCancelEnabled(bool enabled) = 0;

    // Where the focus goes when the focused button has just been disabled.
    virtual void focusSet() = 0;
    virtual void focusCancel() = 0;
};

} // namespace core
