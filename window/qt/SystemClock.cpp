// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemClock.h"

SystemClock::SystemClock()
{
    // The zone is set by replacing the link /etc/localtime (a watch on it
    // alone would follow the link to the old zone's file), or by editing it.
    m_zoneFiles.addPaths({ QStringLiteral("/etc"), QStringLiteral("/etc/localtime") });
    QObject::connect(&m_zoneFiles, &QFileSystemWatcher::directoryChanged, [this] { forgetOffset(); });
    QObject::connect(&m_zoneFiles, &QFileSystemWatcher::fileChanged, [this] { forgetOffset(); });
}

QDateTime SystemClock::preciseNow() const
{
    constexpr qint64 MinuteMs = 60 * 1000;
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    if (utc >= m_from && utc < m_until)
        return QDateTime::fromMSecsSinceEpoch(utc, Qt::OffsetFromUTC, m_offset);
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(utc, Qt::LocalTime);
    m_offset = local.offsetFromUtc();
    m_from = utc - utc % MinuteMs;
    m_until = m_from + MinuteMs;
    return local;
}

core::UtcSeconds SystemClock::utcNow() const
{
    return core::UtcSeconds(std::chrono::seconds(QDateTime::currentSecsSinceEpoch()));
}

std::chrono::seconds SystemClock::utcOffset(core::UtcSeconds moment) const
{
    const qint64 utc = moment.time_since_epoch().count() * 1000;
    if (utc >= m_from && utc < m_until)
        return std::chrono::seconds(m_offset); // the present minute's, kept by preciseNow()
    return std::chrono::seconds(
        QDateTime::fromSecsSinceEpoch(moment.time_since_epoch().count(), Qt::LocalTime).offsetFromUtc());
}
