// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace core {

// Which of a pulse's numbered ticks a once-a-second timer's handler runs for.
// Enabling starts afresh: a tick counted before is not delivered. The handler
// is never entered again while an earlier call still runs, not even from a
// nested loop (a modal box or a menu): ticks due meanwhile are dropped.
class TickGate
{
public:
    bool isEnabled() const { return m_enabled; }

    // `ticksSoFar`: the pulse's count now; the first tick after enabling is the next one.
    void setEnabled(bool enabled, std::uint64_t ticksSoFar)
    {
        if (enabled && !m_enabled)
            m_firstTick = ticksSoFar + 1;
        m_enabled = enabled;
    }

    // Whether the handler runs for `tick`; when it does, leave() follows it.
    bool enter(std::uint64_t tick)
    {
        if (!m_enabled || m_inHandler || tick < m_firstTick)
            return false;
        m_inHandler = true;
        return true;
    }
    void leave() { m_inHandler = false; }

private:
    bool m_enabled = false;
    bool m_inHandler = false;
    std::uint64_t m_firstTick = 0;
};

} // namespace core
