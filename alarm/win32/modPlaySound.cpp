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
    sndPlaySoundA(nullptr, 0); // stops the last play, whose bytes may then go
    m_bytes.clear();
    const WaveFileCheck::Found found = WaveFileCheck::check(m_soundName);
    if (found.verdict == WaveFileCheck::Verdict::Broken)
        return false; // silence, as for a file that cannot be played
    if (found.verdict == WaveFileCheck::Verdict::Playable && !WaveFileCheck::reachableByName(found.path)) {
        m_bytes = WaveFileCheck::contents(found.path);
        return !m_bytes.empty() && sndPlaySoundA(m_bytes.data(), UINT(m_soundFlags) | SND_MEMORY) != FALSE;
    }
    return sndPlaySoundA(m_soundName.c_str(), UINT(m_soundFlags)) != FALSE;
}
