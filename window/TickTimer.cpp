// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TickTimer.h"

#include "Clock.h"

#include <QPointer>

TickTimer::TickTimer(const Clock &clock, QObject *parent)
    : QObject(parent), m_clock(clock)
{
    // Single-shot and re-armed only once the handler has returned: this is what
    // keeps a nested event loop inside the handler from entering it again.
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickTimer::fire);
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled)
        m_timer.stop();
    else if (!m_inHandler)
        scheduleNext();
}

int TickTimer::msecsToNextTick(const QTime &wallClock)
{
    const int intoSecond = wallClock.msec();
    return intoSecond < PhaseMs ? PhaseMs - intoSecond : 1000 - intoSecond + PhaseMs;
}

void TickTimer::fire()
{
    if (!m_enabled)
        return;
    QPointer<TickTimer> alive(this);
    m_inHandler = true;
    emit timeout();
    if (!alive)
        return;
    m_inHandler = false;
    if (m_enabled)
        scheduleNext();
}

void TickTimer::scheduleNext()
{
    // Recomputed from the wall clock every time, so a clock that was set, or a
    // machine that slept, puts the ticks back in phase at once.
    m_timer.start(msecsToNextTick(m_clock.now().time()));
}
