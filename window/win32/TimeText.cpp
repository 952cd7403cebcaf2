// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeText.h"

#include "SystemTimeReading.h"

namespace TimeText {

std::string timeOfDayText(core::TimeOfDay time)
{
    const SYSTEMTIME st = SystemTimeReading::timeOfDayOnly(time);
    char text[80];
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, sizeof text) == 0)
        return {};
    return text;
}

} // namespace TimeText
