// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WaveSource.h"

namespace core {

// Which wave files the bell is handed to the platform's player with. A file
// is refused only where the player would crash, hang or never end on it: no
// RIFF/WAVE file, a size no bell has, a format that contradicts itself, or
// nothing to play. Every encoding is left to the player, which plays what
// it can decode, also of a file cut short.
namespace WaveFileRule {

// About 50 minutes of CD sound: larger is no bell, and a player may load it whole.
constexpr long long MaxFileBytes = 512LL * 1024 * 1024;

bool playable(const WaveSource &file);

} // namespace WaveFileRule

} // namespace core
