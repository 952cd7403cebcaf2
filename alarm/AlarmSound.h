// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace core {

// How a wave file is played, numbered as the Windows wave-playback service's
// SND_SYNC, SND_ASYNC, SND_NODEFAULT and SND_LOOP.
struct SoundFlags
{
    static constexpr int Sync = 0x0000;      // return when the sound has finished
    static constexpr int Async = 0x0001;     // return at once
    static constexpr int NoDefault = 0x0002; // stay silent when the file cannot be played
    static constexpr int Loop = 0x0008;      // repeat until the next call (with Async)
};

// The wave-playback service behind the alarm's two plays: the looping alarm
// and the last, synchronous play after the box is dismissed.
class AlarmSound : public SoundFlags
{
public:
    virtual ~AlarmSound() = default;

    // Stops whatever is playing, then plays the file as flags say. Returns
    // whether it could be played; a failure is always silent.
    virtual bool play(const std::string &soundName, int flags) = 0;
};

} // namespace core
