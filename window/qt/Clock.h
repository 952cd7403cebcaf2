// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "QtClockReading.h"
#include "WallClock.h"

#include <QDateTime>

// Where the program reads the present moment, so that tests can set the time.
// The ticks are placed by its milliseconds; the alarm reads it to the second.
class Clock : public core::WallClock
{
public:
    // Local date and time, to the millisecond.
    virtual QDateTime preciseNow() const = 0;

    core::ClockReading now() const final { return QtClockReading::fromQt(preciseNow()); }
};
