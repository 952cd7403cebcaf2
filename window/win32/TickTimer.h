// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TickGate.h"

#include <cstdint>
#include <functional>

class TickPulse;

// A once-a-second timer of the window, ticking with the shared pulse. Its
// handler is never entered again while an earlier call is still running: a
// modal loop inside it (the ringing box) keeps dispatching WM_TIMER, and
// those ticks are dropped.
class TickTimer
{
public:
    TickTimer(TickPulse &pulse, std::function<void()> handler);
    TickTimer(const TickTimer &) = delete;
    TickTimer &operator=(const TickTimer &) = delete;

    // Enabling starts a fresh interval: the first tick is the pulse's next one.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_gate.isEnabled(); }

    void deliver(std::uint64_t tick);

private:
    TickPulse &m_pulse;
    std::function<void()> m_handler;
    core::TickGate m_gate;
};
