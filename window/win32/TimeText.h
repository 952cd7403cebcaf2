// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockReading.h"

#include <string>

namespace TimeText {

// A time of day in the user's long time format: hours, minutes and seconds.
std::wstring wideTimeOfDayText(core::TimeOfDay time);
// The same in UTF-8, as the core takes its texts.
std::string timeOfDayText(core::TimeOfDay time);

} // namespace TimeText
