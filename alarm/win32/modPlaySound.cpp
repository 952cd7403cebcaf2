// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modPlaySound.h"

#include "WaveFileCheck.h"

#include <windows.h>
#include <mmsystem.h>

bool modPlaySound::play(const std::string &soundName, int flags)
{
    m_soundFlags = short(flags);
    m_soundName = soundName;
    if (WaveFileCheck::check(m_soundName) == WaveFileCheck::Verdict::Broken) {
        sndPlaySoundA(nullptr, 0); // silence, as for a file that cannot be played
        return false;
    }
    return sndPlaySoundA(m_soundName.c_str(), UINT(m_soundFlags)) != FALSE;
}
