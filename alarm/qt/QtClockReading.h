// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockReading.h"

#include <QDateTime>

// Clock readings as Qt holds them: a date and time marked as Qt::UTC,
// which makes every reading exist and unique (see Toolkit::clockReading).
namespace QtClockReading {

// The Julian day of 1970-01-01, the epoch of std::chrono's days.
constexpr qint64 EpochJulianDay = 2440588;

inline core::ClockReading fromQt(const QDateTime &reading)
{
    const auto days = std::chrono::days(reading.date().toJulianDay() - EpochJulianDay);
    const QTime t = reading.time();
    return core::ClockReading(days) + std::chrono::seconds(t.hour() * 3600 + t.minute() * 60 + t.second());
}

inline QTime toQtTime(core::TimeOfDay time)
{
    const int s = int(time.count());
    return QTime(s / 3600, s / 60 % 60, s % 60);
}

inline QDateTime toQt(core::ClockReading reading)
{
    const auto day = std::chrono::floor<std::chrono::days>(reading);
    return QDateTime(QDate::fromJulianDay(day.time_since_epoch().count() + EpochJulianDay),
                     toQtTime(reading - day), Qt::UTC);
}

} // namespace QtClockReading
