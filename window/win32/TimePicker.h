// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockReading.h"

#include <windows.h>

// The common controls' date-time picker, showing and editing only the time
// of day in the user's format; it holds the whole reading, date included, and
// fields the user does not edit keep their values.
class TimePicker
{
public:
    TimePicker(HWND parent, int id);

    HWND handle() const { return m_picker; }
    core::ClockReading value() const;
    void setValue(core::ClockReading value);

private:
    HWND m_picker;
};
