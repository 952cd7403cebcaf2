// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeText.h"

#include "SystemTimeReading.h"
#include "WideText.h"

namespace TimeText {

std::wstring wideTimeOfDayText(core::TimeOfDay time)
{
    const SYSTEMTIME st = SystemTimeReading::timeOfDayOnly(time);
    wchar_t text[80];
    if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, 80) == 0)
        return {};
    return text;
}

std::string timeOfDayText(core::TimeOfDay time)
{
    return WideText::toUtf8(wideTimeOfDayText(time));
}

} // namespace TimeText
