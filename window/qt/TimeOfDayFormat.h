// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

// A locale's time format, applied once a second at little cost. Within a
// minute only the seconds differ, so the text is the minute's text, worked
// out by the locale once, with the second's digits put in its place. Formats
// that show the seconds more than once, or parts of a second, are applied
// whole each time.
class TimeOfDayFormat
{
public:
    TimeOfDayFormat(const QLocale &locale, const QString &format);

    QString text(QTime time);

private:
    QLocale m_locale;
    QString m_format;
    QString m_minuteFormat; // the format with a marker for its seconds; empty if none
    QStringList m_seconds; // "00" to "59" as the format and the locale write them
    int m_minute = -1; // of the day, for the pieces below
    QString m_before;
    QString m_after;
};
