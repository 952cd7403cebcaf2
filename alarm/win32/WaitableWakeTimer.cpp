// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaitableWakeTimer.h"

#include "FileTime.h"

namespace {

// Windows' documented answer for a machine that cannot wake for a timer;
// Wine answers with its own code for the same.
constexpr DWORD ResumeIgnored = 722;

} // namespace

WaitableWakeTimer::WaitableWakeTimer()
    : m_timer(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_MODIFY_STATE))
{
}

WaitableWakeTimer::~WaitableWakeTimer()
{
    if (m_timer)
        CloseHandle(m_timer); // a timer closed wakes nothing
}

void WaitableWakeTimer::arm(core::UtcSeconds due)
{
    // A positive due time is absolute, in universal time; a relative one
    // would leave out the time spent asleep.
    LARGE_INTEGER when;
    when.QuadPart = FileTime::ticksOf(due);
    SetLastError(ERROR_SUCCESS);
    const bool set = m_timer && SetWaitableTimer(m_timer, &when, 0, nullptr, nullptr, TRUE);
    const DWORD answer = GetLastError();
    m_wakes = set && answer != ERROR_NOT_SUPPORTED && answer != ResumeIgnored;
}

void WaitableWakeTimer::end()
{
    if (m_timer)
        CancelWaitableTimer(m_timer);
    m_wakes = false;
}
