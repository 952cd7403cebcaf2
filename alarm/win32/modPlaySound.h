// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmSound.h"

#include <vector>

// Plays the alarm's wave file with winmm's sndPlaySoundA. Windows finds the
// bare name itself; the program's own folder is the working folder (see main).
// In a folder whose name the ANSI code page cannot write, where the service
// cannot open what it finds, it is handed the file's bytes instead.
class modPlaySound : public core::AlarmSound
{
public:
    bool play(const std::string &soundName, int flags) override;

private:
    std::string m_soundName;
    std::vector<char> m_bytes; // what the service plays from memory, kept until the next play
    short m_soundFlags = 0;
};
