// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TickPulse.h"

#include "Clock.h"
#include "TickPhase.h"
#include "TickTimer.h"

TickPulse::TickPulse(const Clock &clock, QObject *parent) : QObject(parent), m_clock(clock)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickPulse::fire);
}

void TickPulse::join(TickTimer *timer)
{
    m_timers.append(timer);
}

void TickPulse::leave(TickTimer *timer)
{
    m_timers.removeAll(timer);
    update();
}

void TickPulse::update()
{
    if (!anyEnabled())
        m_timer.stop();
    else if (!m_timer.isActive())
        scheduleNext(m_clock.preciseNow());
}

bool TickPulse::anyEnabled() const
{
    for (const QPointer<TickTimer> &timer : m_timers) {
        if (timer && timer->isEnabled())
            return true;
    }
    return false;
}

void TickPulse::fire()
{
    const quint64 tick = ++m_ticks;
    m_reading = m_clock.preciseNow();
    if (anyEnabled())
        scheduleNext(m_reading);
    QPointer<TickPulse> alive(this);
    const QList<QPointer<TickTimer>> timers = m_timers;
    for (const QPointer<TickTimer> &timer : timers) {
        if (timer)
            timer->deliver(tick);
        if (!alive || m_ticks != tick)
            return;
    }
    update();
}

void TickPulse::scheduleNext(const QDateTime &now)
{
    // Recomputed from the wall clock every time, so a clock that was set, or a
    // machine that slept, puts the ticks back in phase at once.
    m_timer.start(core::msecsToNextTick(now.time().msec()));
}
