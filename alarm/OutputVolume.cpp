// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputVolume.h"

#include <algorithm>

namespace core {

std::optional<OutputLevel> ringLevel(std::optional<OutputLevel> found)
{
    if (!found || (!found->muted && found->volume >= AudibleFloor))
        return std::nullopt;
    return OutputLevel{ false, std::max(found->volume, AudibleFloor) };
}

std::optional<OutputLevel> levelAfterRing(OutputLevel found, OutputLevel set, std::optional<OutputLevel> now)
{
    if (!now)
        return std::nullopt;
    OutputLevel back = *now;
    // The ring only ever unmutes: a mute the user set since is the mute found.
    if (set.muted != found.muted)
        back.muted = found.muted;
    if (!sameVolume(set.volume, found.volume) && sameVolume(now->volume, set.volume))
        back.volume = found.volume;
    if (back == *now)
        return std::nullopt;
    return back;
}

} // namespace core
