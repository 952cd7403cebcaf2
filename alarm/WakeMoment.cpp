// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WakeMoment.h"

#include <algorithm>

namespace core {

namespace {

ClockReading localAt(UtcSeconds moment, const ZoneClock &zone)
{
    return ClockReading((moment + zone.utcOffset(moment)).time_since_epoch());
}

} // namespace

UtcSeconds ringMoment(ClockReading alarm, const ZoneClock &zone)
{
    const ClockReading target = alarm + std::chrono::seconds(1);
    // The offsets in force a day either side bound where the answer lies.
    const UtcSeconds asUtc(target.time_since_epoch());
    const std::chrono::seconds before = zone.utcOffset(asUtc - std::chrono::days(1));
    const std::chrono::seconds after = zone.utcOffset(asUtc + std::chrono::days(1));
    UtcSeconds earliest = asUtc - std::max(before, after), latest = asUtc - std::min(before, after);
    if (localAt(earliest, zone) >= target)
        return earliest;
    // Past the earliest candidate the clock only moves forward here: the
    // first moment that shows the target or later is found by halving.
    while (latest - earliest > std::chrono::seconds(1)) {
        const UtcSeconds middle = earliest + (latest - earliest) / 2;
        (localAt(middle, zone) >= target ? latest : earliest) = middle;
    }
    return latest;
}

std::optional<UtcSeconds> wakeMoment(ClockReading alarm, const ZoneClock &zone)
{
    const UtcSeconds ring = ringMoment(alarm, zone), now = zone.utcNow();
    if (ring - WakeLead > now)
        return ring - WakeLead;
    if (ring > now)
        return ring;
    return std::nullopt;
}

} // namespace core
