// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"

#include <QFileSystemWatcher>

// The computer's clock. Converting to local time asks the C library, which
// looks at /etc/localtime on every call: the offset from UTC it found is
// kept instead, until the minute ends (daylight-saving changes come on a
// whole minute), the clock is set outside that minute, or the time zone's
// files in /etc change.
class SystemClock : public Clock
{
public:
    SystemClock();
    QDateTime preciseNow() const override;

private:
    void forgetOffset() const { m_until = m_from; }

    QFileSystemWatcher m_zoneFiles;
    mutable qint64 m_from = 0;  // msecs since the epoch, UTC: where the offset holds
    mutable qint64 m_until = 0;
    mutable int m_offset = 0;   // seconds ahead of UTC
};
