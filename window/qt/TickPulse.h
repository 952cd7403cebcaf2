// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TickPhase.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class Clock;
class TickTimer;

// The one wake-up behind the tick timers made on it: each tick comes just after
// the wall clock's second turns and goes to its enabled timers in the order they
// were made, so two timers cost the program one wake-up a second, not two.
//
// It is re-armed before the timers are served, so a timer whose handler runs a
// nested event loop (a modal box) does not hold back the others; a tick that
// comes while a timer's handler still runs is dropped for that timer, and a
// tick that a newer one overtook (from such a nested loop) is not served on.
class TickPulse : public QObject
{
    Q_OBJECT

public:
    explicit TickPulse(const Clock &clock, QObject *parent = nullptr);

    // The number of ticks so far; a timer enabled now takes only later ones.
    quint64 ticks() const { return m_ticks; }
    // The clock as read for the latest tick: its handlers need not read it again.
    const QDateTime &reading() const { return m_reading; }

    void join(TickTimer *timer);
    void leave(TickTimer *timer);
    // Called when a timer is enabled or disabled: runs only while one is enabled.
    void update();

private:
    void fire();
    bool anyEnabled() const;
    void scheduleNext(const QDateTime &now);

    const Clock &m_clock;
    QTimer m_timer;
    QList<QPointer<TickTimer>> m_timers;
    quint64 m_ticks = 0;
    QDateTime m_reading;
};
