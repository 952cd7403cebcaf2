// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WakeTimer.h"

#include <cstdint>

// Moments as Windows counts them in a FILETIME: 100 ns ticks since
// 1601-01-01 UTC.
namespace FileTime {

inline constexpr std::int64_t TicksPerSecond = 10'000'000;
inline constexpr std::int64_t SecondsBefore1970 = 11'644'473'600;

constexpr std::int64_t ticksOf(core::UtcSeconds moment)
{
    return (moment.time_since_epoch().count() + SecondsBefore1970) * TicksPerSecond;
}

// Fractions of a second are dropped.
constexpr core::UtcSeconds momentOf(std::int64_t ticks)
{
    return core::UtcSeconds(std::chrono::seconds(ticks / TicksPerSecond - SecondsBefore1970));
}

} // namespace FileTime
