// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace core {

// A moment on the universal time line, to the second.
using UtcSeconds = std::chrono::sys_seconds;

// The system's clock in universal time and the local zone in force, read
// afresh at each call: the zone may change while the program runs.
class ZoneClock
{
public:
    virtual ~ZoneClock() = default;
    virtual UtcSeconds utcNow() const = 0;
    // How far the local clock is ahead of universal time at `moment`.
    virtual std::chrono::seconds utcOffset(UtcSeconds moment) const = 0;
};

// A timer that wakes a sleeping computer at a moment. Arming again moves it;
// where the platform does not allow it, the calls do nothing.
class WakeTimer
{
public:
    virtual ~WakeTimer() = default;
    virtual void arm(UtcSeconds due) = 0;
    virtual void end() = 0;
};

} // namespace core
