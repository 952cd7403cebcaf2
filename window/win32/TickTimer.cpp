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
    if (enabled && !m_enabled)
        m_firstTick = m_pulse.ticks() + 1;
    m_enabled = enabled;
}

void TickTimer::deliver(std::uint64_t tick)
{
    if (!m_enabled || m_inHandler || tick < m_firstTick)
        return;
    m_inHandler = true;
    m_handler();
    m_inHandler = false;
}
