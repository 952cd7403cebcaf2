// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OutputVolume.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// The ring's output on a PulseAudio server (or PipeWire's, which answers the
// same protocol): the default sink at the moment of the ring. Its volume is
// the mixer's percent (PA_VOLUME_NORM is 1), as the desktop's sliders and
// pactl show it. The server is asked on a thread of this object's, over a
// connection made for each request and closed after it; a server that does
// not answer within TimeoutMs is left alone, and so is a missing one.
class PulseVolume : public core::OutputVolume
{
public:
    static constexpr std::chrono::milliseconds TimeoutMs{ 2000 };

    PulseVolume() = default;
    ~PulseVolume() override;
    PulseVolume(const PulseVolume &) = delete;
    PulseVolume &operator=(const PulseVolume &) = delete;

    void raiseForRing() override;
    void restoreAfterRing() override;

    // Waits until the requests made so far are done, at most for bound: the
    // program ends right after an Exit, and the volume must be put back first.
    void finish(std::chrono::milliseconds bound);

private:
    enum class Request { Raise, Restore };
    struct Change
    {
        std::string sink;
        core::OutputLevel found;
        core::OutputLevel set;
    };

    void post(Request request);
    void work();
    void raise();
    void restore();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Request> m_requests;
    bool m_busy = false;
    bool m_quitting = false;
    std::atomic<bool> m_abandon = false; // a request under way gives up
    std::thread m_worker; // started at the first ring

    // The worker's own: what the ring changed, to be put back.
    std::optional<Change> m_change;
};
