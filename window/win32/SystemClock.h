// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WallClock.h"

// The computer's local clock.
class SystemClock : public core::WallClock
{
public:
    core::ClockReading now() const override;
    // How far the clock is into its present second, for placing the ticks.
    int msIntoSecond() const;
};
