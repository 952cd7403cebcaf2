// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"

#include <functional>

// A clock that stands still until the test moves it.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(6, 12, 45))) : m_now(start) {}

    QDateTime preciseNow() const override
    {
        const QDateTime read = m_now;
        ++m_reads;
        if (m_onRead)
            m_onRead(m_reads);
        return read;
    }

    void set(const QDateTime &moment) { m_now = moment; }
    void advance(int seconds) { m_now = m_now.addSecs(seconds); }
    // Called after every read: lets a test turn the second between two reads.
    void onRead(std::function<void(int)> hook) { m_onRead = std::move(hook); }

private:
    QDateTime m_now;
    mutable int m_reads = 0;
    std::function<void(int)> m_onRead;
};
