// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace core {

// The level of a sound output, as its mixer shows it: its mute, and its
// volume from 0 to 1 of the device's range.
struct OutputLevel
{
    bool muted;
    double volume;
    bool operator==(const OutputLevel &) const = default;
};

// Mixers round a volume to their own steps: what reads back within half a
// percent is what was set.
inline bool sameVolume(double a, double b)
{
    return a - b < 0.005 && b - a < 0.005;
}

// The lowest volume a ring is played at: a sleeping person hears a laptop's
// speakers at 40 % of their range across a bedroom; louder stays louder.
inline constexpr double AudibleFloor = 0.40;

// What the ring's output is set to when the ring starts: unmuted, at the
// floor at least; nothing when it is audible already or there is no output.
std::optional<OutputLevel> ringLevel(std::optional<OutputLevel> found);

// What the output is set back to when the ring has ended: each of mute and
// volume the ring changed goes back to what was found, unless the user has
// changed it since (then theirs stands); nothing when nothing is to be done,
// or the output is gone.
std::optional<OutputLevel> levelAfterRing(OutputLevel found, OutputLevel set, std::optional<OutputLevel> now);

// The output the ring plays on, set for the ring and put back after it. The
// platform reads and sets it away from the GUI thread; both calls return at once.
class OutputVolume
{
public:
    virtual ~OutputVolume() = default;
    virtual void raiseForRing() = 0;
    virtual void restoreAfterRing() = 0;
};

} // namespace core
