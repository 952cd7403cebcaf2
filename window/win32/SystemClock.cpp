// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemClock.h"

#include "FileTime.h"
#include "SystemTimeReading.h"

namespace {

std::int64_t ticksOf(const FILETIME &time)
{
    return std::int64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

} // namespace

core::ClockReading SystemClock::now() const
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return SystemTimeReading::fromSystemTime(st);
}

int SystemClock::msIntoSecond() const
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return st.wMilliseconds;
}

core::UtcSeconds SystemClock::utcNow() const
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FileTime::momentOf(ticksOf(now));
}

std::chrono::seconds SystemClock::utcOffset(core::UtcSeconds moment) const
{
    // The zone in force and its daylight saving rules.
    const std::int64_t ticks = FileTime::ticksOf(moment);
    const FILETIME utcTime{ DWORD(ticks), DWORD(ticks >> 32) };
    SYSTEMTIME utc, local;
    FILETIME localTime;
    if (!FileTimeToSystemTime(&utcTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)
        || !SystemTimeToFileTime(&local, &localTime))
        return {};
    return FileTime::momentOf(ticksOf(localTime)) - moment;
}
