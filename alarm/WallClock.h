// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockReading.h"

namespace core {

// Where the alarm reads the present, so that tests can set the time.
class WallClock
{
public:
    virtual ~WallClock() = default;
    // What the local clock shows now, fractions of a second dropped.
    virtual ClockReading now() const = 0;
};

} // namespace core
