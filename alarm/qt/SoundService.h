// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmSound.h"

#include <QString>

// The wave-playback service behind the alarm's two plays: the looping alarm
// and the last, synchronous play after the box is dismissed.
class SoundService
{
public:
    static constexpr int SND_SYNC = core::SoundFlags::Sync;
    static constexpr int SND_ASYNC = core::SoundFlags::Async;
    static constexpr int SND_NODEFAULT = core::SoundFlags::NoDefault;
    static constexpr int SND_LOOP = core::SoundFlags::Loop;

    virtual ~SoundService() = default;

    // Stops whatever is playing, then plays soundName as flags say.
    // Returns whether the file could be played; a failure is always silent.
    virtual bool sndPlaySound(const QString &soundName, int flags) = 0;
};
