// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TickTimer.h"

TickTimer::TickTimer(const Clock &clock, QObject *parent) : QObject(parent)
{
    m_pulse = new TickPulse(clock, this);
    m_pulse->join(this);
}

TickTimer::TickTimer(TickPulse &pulse, QObject *parent) : QObject(parent), m_pulse(&pulse)
{
    pulse.join(this);
}

TickTimer::~TickTimer()
{
    if (m_pulse)
        m_pulse->leave(this);
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (m_pulse) {
        if (enabled)
            m_firstTick = m_pulse->ticks() + 1;
        m_pulse->update();
    }
    emit enabledChanged(enabled);
}

void TickTimer::deliver(quint64 tick)
{
    // A tick during the handler (from a nested event loop) is dropped, as is
    // one counted before the timer was last enabled.
    if (!m_enabled || m_inHandler || tick < m_firstTick)
        return;
    QPointer<TickTimer> alive(this);
    m_inHandler = true;
    emit timeout();
    if (alive)
        m_inHandler = false;
}
