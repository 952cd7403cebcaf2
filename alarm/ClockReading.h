// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace core {

// What the clock on the wall shows, to the second: a local date and time held
// free of any time zone, so that every reading exists and is unique, also in
// the hour a daylight-saving change skips or repeats. Readings compare as the
// clock's face does.
using ClockReading = std::chrono::local_seconds;

// A time of day: the seconds since midnight, 0 to 86399.
using TimeOfDay = std::chrono::seconds;

inline ClockReading reading(std::chrono::year_month_day date, TimeOfDay time)
{
    return std::chrono::local_days(date) + time;
}

inline std::chrono::year_month_day dateOf(ClockReading r)
{
    return std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(r));
}

inline TimeOfDay timeOfDay(ClockReading r)
{
    return r - std::chrono::floor<std::chrono::days>(r);
}

// The first reading at or after `now` whose time of day is `time`: later
// today, or tomorrow when today's has already gone by.
inline ClockReading nextOccurrence(TimeOfDay time, ClockReading now)
{
    const ClockReading today = std::chrono::floor<std::chrono::days>(now) + time;
    return today < now ? today + std::chrono::days(1) : today;
}

} // namespace core
