// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace core {

// The once-a-second ticks come this long after the wall clock's second turns,
// so that the time a tick shows is fresh for the whole second.
constexpr int TickPhaseMs = 5;

// Milliseconds from a wall-clock time `msIntoSecond` past its second to the next tick.
constexpr int msecsToNextTick(int msIntoSecond)
{
    return msIntoSecond < TickPhaseMs ? TickPhaseMs - msIntoSecond : 1000 - msIntoSecond + TickPhaseMs;
}

} // namespace core
