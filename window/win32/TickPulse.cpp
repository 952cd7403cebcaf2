// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TickPulse.h"

#include "SystemClock.h"
#include "TickPhase.h"
#include "TickTimer.h"

TickPulse::TickPulse(const HWND &window, UINT_PTR timerId, const SystemClock &clock)
    : m_window(window), m_timerId(timerId), m_clock(clock)
{
}

TickPulse::~TickPulse()
{
    KillTimer(m_window, m_timerId);
}

void TickPulse::join(TickTimer &timer)
{
    m_timers.push_back(&timer);
}

void TickPulse::start()
{
    scheduleNext();
}

void TickPulse::scheduleNext()
{
    // Placed anew at every tick: a plain 1000 ms timer drifts behind the clock.
    SetTimer(m_window, m_timerId, UINT(core::msecsToNextTick(m_clock.msIntoSecond())), nullptr);
}

void TickPulse::onTimer()
{
    scheduleNext();
    ++m_ticks;
    for (TickTimer *timer : m_timers)
        timer->deliver(m_ticks);
}
