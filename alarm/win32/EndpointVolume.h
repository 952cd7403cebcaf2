// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OutputVolume.h"

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>

// The mute and volume of the output Windows plays to when the ring starts,
// through Core Audio, set for the ring and put back after it. The calls go to
// the Windows Audio service, which can be slow to answer (busy, or starting
// after a resume): they run on the system's thread pool, one at a time, and
// each brings the output to what was asked last.
class EndpointVolume : public core::OutputVolume
{
public:
    EndpointVolume();
    // Waits for the work in hand, so that a ring's change is put back before
    // the program ends.
    ~EndpointVolume() override;
    EndpointVolume(const EndpointVolume &) = delete;
    EndpointVolume &operator=(const EndpointVolume &) = delete;

    void raiseForRing() override;
    void restoreAfterRing() override;

private:
    struct Raised
    {
        std::wstring device;
        core::OutputLevel found;
        core::OutputLevel set;
    };

    static void CALLBACK work(PTP_CALLBACK_INSTANCE, void *self, PTP_WORK);
    void follow();
    void raise();
    void restore();

    PTP_WORK m_work;
    std::atomic<bool> m_ringing = false; // what the alarm asked for last
    SRWLOCK m_lock = SRWLOCK_INIT;        // the rest is the pool's, one call at a time
    bool m_raised = false;                // the ring's look at the output is done
    std::optional<Raised> m_changed;      // what the ring changed, and on which output
};
