// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TickTimer.h"

#include "TickPulse.h"

TickTimer::TickTimer(TickPulse &pulse, std::function<void()> handler)
    : m_pulse(pulse), m_handler(std::move(handler))
{
    pulse.join(*this);
}

void TickTimer::setEnabled(bool enabled)
{
    m_gate.setEnabled(enabled, m_pulse.ticks());
}

void TickTimer::deliver(std::uint64_t tick)
{
    if (!m_gate.enter(tick))
        return;
    m_handler();
    m_gate.leave();
}
