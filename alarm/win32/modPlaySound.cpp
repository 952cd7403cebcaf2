// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modPlaySound.h"

#include <windows.h>
#include <mmsystem.h>
// The service's call keeps its own name here, not the ANSI/wide macro's.
#undef sndPlaySound

bool modPlaySound::sndPlaySound(const std::string &soundName, int flags)
{
    m_soundFlags = short(flags);
    m_soundName = soundName;
    return sndPlaySoundA(m_soundName.c_str(), UINT(m_soundFlags)) != FALSE;
}
