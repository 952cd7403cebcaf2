// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TickTimer.h"

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
    if (enabled == m_gate.isEnabled())
        return;
    m_gate.setEnabled(enabled, m_pulse ? m_pulse->ticks() : 0);
    if (m_pulse)
        m_pulse->update();
}

void TickTimer::deliver(quint64 tick)
{
    if (!m_gate.enter(tick))
        return;
    QPointer<TickTimer> alive(this);
    emit timeout();
    if (alive)
        m_gate.leave();
}
