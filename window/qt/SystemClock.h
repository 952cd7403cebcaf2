// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"
#include "WakeTimer.h"

#include <QFileSystemWatcher>

// The computer's clock. Converting to local time asks the C library, which
// looks at /etc/localtime on every call: the offset from UTC it found is
// kept instead, until the minute ends (daylight-saving changes come on a
// whole minute), the clock is set outside that minute, or the time zone's
// files in /etc change. The zone's offset at other moments, which places the
// wake timer, is read afresh at every call.
class SystemClock : public Clock, public core::ZoneClock
{
public:
    SystemClock();
    QDateTime preciseNow() const override;
    core::UtcSeconds utcNow() const override;
    std::chrono::seconds utcOffset(core::UtcSeconds moment) const override;

private:
    void forgetOffset() const { m_until = m_from; }

    QFileSystemWatcher m_zoneFiles;
    mutable qint64 m_from = 0;  // msecs since the epoch, UTC: where the offset holds
    mutable qint64 m_until = 0;
    mutable int m_offset = 0;   // seconds ahead of UTC
};
