// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeOfDayFormat.h"

namespace {

// Stands in for the seconds in the minute's text: a private-use character,
// which no locale's format or digits contain, and which a format copies as it
// is (in quotes it could join a quote next to it into a literal one).
constexpr QChar Marker(0xE000);

} // namespace

TimeOfDayFormat::TimeOfDayFormat(const QLocale &locale, const QString &format) : m_locale(locale), m_format(format)
{
    if (format.contains(Marker))
        return;
    // Find the seconds field outside quoted text: one run of "s" or "ss", and no
    // "z" (milliseconds). Two quotes in a row are a quote and change nothing.
    qsizetype from = -1, length = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u'z') {
            return;
        } else if (!quoted && c == u's') {
            if (from >= 0 && from + length != i)
                return; // a second field
            if (from < 0)
                from = i;
            ++length;
        }
    }
    if (from < 0 || length > 2)
        return;
    m_minuteFormat = format;
    m_minuteFormat.replace(from, length, Marker);
    const QString field = format.mid(from, length);
    for (int second = 0; second < 60; ++second)
        m_seconds.append(locale.toString(QTime(0, 0, second), field));
}

QString TimeOfDayFormat::text(QTime time)
{
    if (m_minuteFormat.isEmpty() || time.msec() != 0)
        return m_locale.toString(time, m_format);
    const int minute = time.hour() * 60 + time.minute();
    if (minute != m_minute) {
        const QString text = m_locale.toString(QTime(time.hour(), time.minute()), m_minuteFormat);
        const qsizetype at = text.indexOf(Marker);
        if (at < 0)
            return m_locale.toString(time, m_format);
        m_before = text.left(at);
        m_after = text.mid(at + 1);
        m_minute = minute;
    }
    return m_before + m_seconds.at(time.second()) + m_after;
}
