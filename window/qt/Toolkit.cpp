// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Toolkit.h"

#include "Clock.h"
#include "QtClockReading.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>

namespace Toolkit {

QDateTime presentMoment(const Clock &clock)
{
    return toWholeSecond(clock.preciseNow());
}

QDateTime toWholeSecond(QDateTime reading)
{
    const QTime t = reading.time();
    reading.setTime(QTime(t.hour(), t.minute(), t.second()));
    return reading;
}

QTime presentTimeOfDay(const Clock &clock)
{
    return presentMoment(clock).time();
}

QDateTime clockReading(const QDateTime &moment)
{
    return QDateTime(moment.date(), moment.time(), Qt::UTC);
}

QString longTimeFormat(const QLocale &locale)
{
    // Drop the zone fields ("t", outside quoted text) and the spaces around them.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result += c;
    }
    static const QRegularExpression emptyBrackets(QStringLiteral("\\(\\s*\\)|\\[\\s*\\]"));
    static const QRegularExpression doubledSpace(QStringLiteral("\\s{2,}"));
    result.remove(emptyBrackets);
    return result.replace(doubledSpace, QStringLiteral(" ")).trimmed();
}

QString timeOfDayText(QTime time, const QLocale &locale)
{
    return locale.toString(time, longTimeFormat(locale));
}

std::string timeText(core::TimeOfDay time)
{
    return timeOfDayText(QtClockReading::toQtTime(time)).toStdString();
}

void yieldToEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
}

void endProgram()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

} // namespace Toolkit
