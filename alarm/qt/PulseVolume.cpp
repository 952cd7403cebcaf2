// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PulseVolume.h"

#include "WindowDesign.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <atomic>
#include <cmath>
#include <system_error>

namespace {

using Clock = std::chrono::steady_clock;

// A sink as read from the server: its level, and its channels' volumes,
// which a new level scales together so that their balance stays.
struct Sink
{
    std::string name;
    core::OutputLevel level;
    pa_cvolume channels;
};

// One connection to the sound server, driven on the calling thread until each
// answer comes or the deadline passes. The loop wakes at least every 50 ms so
// that a program that ends need not wait for the deadline.
class Connection
{
public:
    Connection(Clock::time_point deadline, const std::atomic<bool> &abandon)
        : m_deadline(deadline), m_abandon(abandon), m_loop(pa_mainloop_new())
    {
        m_context = pa_context_new(pa_mainloop_get_api(m_loop), core::design::Title);
        if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return;
        m_ready = runUntil([this] {
            const pa_context_state_t state = pa_context_get_state(m_context);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        }) && pa_context_get_state(m_context) == PA_CONTEXT_READY;
    }

    ~Connection()
    {
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
        pa_mainloop_free(m_loop);
    }

    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool ready() const { return m_ready; }

    std::optional<std::string> defaultSinkName()
    {
        std::optional<std::string> name;
        wait(pa_context_get_server_info(
            m_context,
            [](pa_context *, const pa_server_info *info, void *found) {
                if (info && info->default_sink_name)
                    *static_cast<std::optional<std::string> *>(found) = info->default_sink_name;
            },
            &name));
        return name;
    }

    std::optional<Sink> sink(const std::string &name)
    {
        std::optional<Sink> found;
        wait(pa_context_get_sink_info_by_name(
            m_context, name.c_str(),
            [](pa_context *, const pa_sink_info *info, int eol, void *found) {
                if (eol || !info)
                    return;
                const double volume = double(pa_cvolume_max(&info->volume)) / PA_VOLUME_NORM;
                *static_cast<std::optional<Sink> *>(found)
                    = Sink{ info->name, { info->mute != 0, volume }, info->volume };
            },
            &found));
        return found;
    }

    // Mutes before lowering and raises before unmuting: no loud moment between the two.
    void set(const Sink &sink, core::OutputLevel level)
    {
        pa_cvolume channels = sink.channels;
        pa_cvolume_scale(&channels, pa_volume_t(std::lround(level.volume * PA_VOLUME_NORM)));
        if (level.muted && !sink.level.muted)
            wait(pa_context_set_sink_mute_by_name(m_context, sink.name.c_str(), 1, nullptr, nullptr));
        if (!core::sameVolume(level.volume, sink.level.volume))
            wait(pa_context_set_sink_volume_by_name(m_context, sink.name.c_str(), &channels, nullptr, nullptr));
        if (!level.muted && sink.level.muted)
            wait(pa_context_set_sink_mute_by_name(m_context, sink.name.c_str(), 0, nullptr, nullptr));
    }

private:
    template<typename Done>
    bool runUntil(Done done)
    {
        while (!done()) {
            if (m_abandon || Clock::now() >= m_deadline)
                return false;
            if (pa_mainloop_prepare(m_loop, 50'000) < 0 || pa_mainloop_poll(m_loop) < 0
                || pa_mainloop_dispatch(m_loop) < 0)
                return false;
        }
        return true;
    }

    void wait(pa_operation *operation)
    {
        if (!operation)
            return;
        if (!runUntil([operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; }))
            pa_operation_cancel(operation);
        pa_operation_unref(operation);
    }

    Clock::time_point m_deadline;
    const std::atomic<bool> &m_abandon;
    pa_mainloop *m_loop;
    pa_context *m_context = nullptr;
    bool m_ready = false;
};

} // namespace

PulseVolume::~PulseVolume()
{
    finish(std::chrono::milliseconds(500));
    {
        std::lock_guard lock(m_mutex);
        m_quitting = true;
        m_requests.clear();
        m_abandon = true;
    }
    m_changed.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void PulseVolume::raiseForRing()
{
    post(Request::Raise);
}

void PulseVolume::restoreAfterRing()
{
    post(Request::Restore);
}

void PulseVolume::post(Request request)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_worker.joinable()) {
            try {
                m_worker = std::thread(&PulseVolume::work, this);
            } catch (const std::system_error &) {
                return; // no thread to ask the server on: the ring goes on as it is
            }
        }
        m_requests.push_back(request);
    }
    m_changed.notify_all();
}

void PulseVolume::finish(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, bound, [this] { return m_requests.empty() && !m_busy; });
}

void PulseVolume::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quitting || !m_requests.empty(); });
        if (m_quitting)
            return;
        const Request request = m_requests.front();
        m_requests.pop_front();
        m_busy = true;
        lock.unlock();
        if (request == Request::Raise)
            raise();
        else
            restore();
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

void PulseVolume::raise()
{
    m_change.reset();
    Connection server(Clock::now() + TimeoutMs, m_abandon);
    if (!server.ready())
        return;
    const std::optional<std::string> name = server.defaultSinkName();
    const std::optional<Sink> sink = name ? server.sink(*name) : std::nullopt;
    const std::optional<core::OutputLevel> level = core::ringLevel(sink ? std::optional(sink->level) : std::nullopt);
    if (!level)
        return;
    m_change = Change{ sink->name, sink->level, *level };
    server.set(*sink, *level);
}

void PulseVolume::restore()
{
    if (!m_change)
        return;
    const Change change = *m_change;
    m_change.reset();
    Connection server(Clock::now() + TimeoutMs, m_abandon);
    if (!server.ready())
        return;
    const std::optional<Sink> sink = server.sink(change.sink);
    if (!sink)
        return;
    if (const std::optional<core::OutputLevel> back = core::levelAfterRing(change.found, change.set, sink->level))
        server.set(*sink, *back);
}
