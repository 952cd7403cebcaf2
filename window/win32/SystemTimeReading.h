// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockReading.h"

#include <windows.h>

// Clock readings as Windows holds them: a SYSTEMTIME read as a local date and
// time, the milliseconds dropped.
namespace SystemTimeReading {

inline core::ClockReading fromSystemTime(const SYSTEMTIME &st)
{
    using namespace std::chrono;
    const year_month_day date{ year(st.wYear), month(st.wMonth), day(st.wDay) };
    return core::reading(date, hours(st.wHour) + minutes(st.wMinute) + seconds(st.wSecond));
}

inline SYSTEMTIME toSystemTime(core::ClockReading r)
{
    using namespace std::chrono;
    const year_month_day date = core::dateOf(r);
    const hh_mm_ss time{ core::timeOfDay(r) };
    SYSTEMTIME st{};
    st.wYear = WORD(int(date.year()));
    st.wMonth = WORD(unsigned(date.month()));
    st.wDay = WORD(unsigned(date.day()));
    st.wDayOfWeek = WORD(weekday(sys_days(date)).c_encoding());
    st.wHour = WORD(time.hours().count());
    st.wMinute = WORD(time.minutes().count());
    st.wSecond = WORD(time.seconds().count());
    return st;
}

inline SYSTEMTIME timeOfDayOnly(core::TimeOfDay t)
{
    return toSystemTime(core::ClockReading(t));
}

} // namespace SystemTimeReading
