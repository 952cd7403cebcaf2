// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemClock.h"

#include "SystemTimeReading.h"

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
