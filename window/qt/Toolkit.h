// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockReading.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

class Clock;

// The few services of the platform that Qt does not offer as they are needed here.
namespace Toolkit {

// The present moment and time of day, to the whole second.
QDateTime presentMoment(const Clock &clock);
QDateTime toWholeSecond(QDateTime reading);
QTime presentTimeOfDay(const Clock &clock);

// What the clock on the wall shows at a moment: its local date and time, held
// free of any time zone (Qt::UTC) so that every reading exists and is unique,
// also in the hour a daylight-saving change skips or repeats.
QDateTime clockReading(const QDateTime &moment);

// The locale's long time format (hours, minutes, seconds) without its time-zone name.
QString longTimeFormat(const QLocale &locale = QLocale::system());
QString timeOfDayText(QTime time, const QLocale &locale = QLocale::system());
// The same for the alarm, which keeps its times as seconds of the day.
std::string timeText(core::TimeOfDay time);

// Runs the events already queued, then returns. Timers are left for the main loop,
// so that one timer's handler never starts inside another one's yield.
void yieldToEvents();

// Ends the program at once: no later handler, timer or dialog step runs.
[[noreturn]] void endProgram();

} // namespace Toolkit
