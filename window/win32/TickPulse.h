// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class SystemClock;
class TickTimer;

// One wake-up a second, just after the wall clock's second turns, shared by
// the window's timers: each is told of every tick, in the order they joined.
class TickPulse
{
public:
    // `window`: the main window's handle, set once it is created.
    TickPulse(const HWND &window, UINT_PTR timerId, const SystemClock &clock);
    ~TickPulse();
    TickPulse(const TickPulse &) = delete;
    TickPulse &operator=(const TickPulse &) = delete;

    void join(TickTimer &timer);
    void start();
    std::uint64_t ticks() const { return m_ticks; }

    // The window's WM_TIMER for this pulse. Ticks come on, also while a
    // handler waits in a modal loop (the ringing box, the icon's menu).
    void onTimer();

private:
    void scheduleNext();

    const HWND &m_window;
    UINT_PTR m_timerId;
    const SystemClock &m_clock;
    std::vector<TickTimer *> m_timers;
    std::uint64_t m_ticks = 0;
};
