// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmSound.h"

// Plays the alarm's wave file with winmm's sndPlaySoundA. Windows finds the
// bare name itself; the program's own folder is the working folder (see main).
class modPlaySound : public core::AlarmSound
{
public:
    bool play(const std::string &soundName, int flags) override;

private:
    std::string m_soundName;
    short m_soundFlags = 0;
};
