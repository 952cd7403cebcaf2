// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WakeTimer.h"
#include "WallClock.h"

// The computer's clock: local, and universal with the zone in force.
class SystemClock : public core::WallClock, public core::ZoneClock
{
public:
    core::ClockReading now() const override;
    // How far the clock is into its present second, for placing the ticks.
    int msIntoSecond() const;
    core::UtcSeconds utcNow() const override;
    std::chrono::seconds utcOffset(core::UtcSeconds moment) const override;
};
