// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockReading.h"
#include "WakeTimer.h"

#include <optional>

namespace core {

// The computer is woken this long before the ring, so that it has resumed and
// its sound server is up when the check rings; and no longer, since a laptop
// woken with its lid closed is suspended again 30 s after it resumed (logind's
// hold-off) unless the ring holds it up by then.
inline constexpr std::chrono::seconds WakeLead{ 15 };

// The first moment at which the local clock shows a reading later than
// `alarm`, which is when the check rings: a reading the spring change skips
// rings as the gap ends, one the autumn change repeats at its first pass.
UtcSeconds ringMoment(ClockReading alarm, const ZoneClock &zone);

// When to wake the computer for the alarm: the lead before its ring, or the
// ring itself once the lead has begun; nothing once the ring is due.
std::optional<UtcSeconds> wakeMoment(ClockReading alarm, const ZoneClock &zone);

} // namespace core
