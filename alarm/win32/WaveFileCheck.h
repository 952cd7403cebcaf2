// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Whether a wave file is safe to hand to the wave-playback service. Some
// builds of the service read a broken file's chunk sizes as they stand and
// fault inside the program's process; a file that does not hold plain PCM or
// float samples, described by a sane format, is not played at all.
class WaveFileCheck
{
public:
    enum class Verdict { Missing, Playable, Broken };

    // Looks the bare name up as Windows does, then reads the file's chunk headers.
    static Verdict check(const std::string &soundName);
};
