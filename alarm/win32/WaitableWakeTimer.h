// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WakeTimer.h"

#include <windows.h>

// Wakes a sleeping Windows for the alarm: a waitable timer set with the
// resume flag, which `powercfg /waketimers` lists with the program. Nothing
// waits on it: the wake is all it is for.
class WaitableWakeTimer : public core::WakeTimer
{
public:
    WaitableWakeTimer();
    ~WaitableWakeTimer() override;
    WaitableWakeTimer(const WaitableWakeTimer &) = delete;
    WaitableWakeTimer &operator=(const WaitableWakeTimer &) = delete;

    void arm(core::UtcSeconds due) override;
    void end() override;
    // What Windows answered to the last arming: whether it can wake the
    // computer for it. The alarm rings at its time either way.
    bool wakes() const { return m_wakes; }

private:
    HANDLE m_timer;
    bool m_wakes = false;
};
