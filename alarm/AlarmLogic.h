// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmBox.h"
#include "AlarmControls.h"
#include "AlarmSound.h"
#include "ClockReading.h"
#include "OutputVolume.h"
#include "SleepHold.h"
#include "WakeTimer.h"
#include "WallClock.h"
#include "WindowDesign.h"

#include <functional>
#include <optional>
#include <string>

namespace core {

// What the alarm needs from the platform around it.
struct AlarmServices
{
    const WallClock &clock;
    AlarmSound &sound;
    AlarmBox &box;
    std::function<void()> yield;                     // runs the events already queued
    std::function<std::string(TimeOfDay)> timeText;  // a time of day in the user's format
    SleepHold *sleep = nullptr;                      // keeps automatic suspend off while set
    WakeTimer *wake = nullptr; // wakes a sleeping computer for the ring
    const ZoneClock *zone = nullptr; // places the wake on the universal time line
    OutputVolume *volume = nullptr; // makes a muted or quiet output heard while ringing
    SleepHold *ringHold = nullptr; // keeps a woken computer from sleeping again while ringing
};

// The alarm, the same on every platform: Set arms it, Cancel disarms it, the
// check runs once a second while it is armed, and rings it when its moment has
// passed. Its state is held by the window's controls alone. While the check
// runs (armed, and while ringing) it keeps automatic suspend off and a wake
// timer set for the ring; while it rings, the output is audible and the
// computer stays up. All of it ends with the check, and the output is put back.
class AlarmLogic
{
public:
    static constexpr const char *SoundName = "alarm.wav";
    static constexpr const char *RingText = "The alarm clock is going off";
    static constexpr int LoopFlags = SoundFlags::Async | SoundFlags::NoDefault | SoundFlags::Loop;
    static constexpr int FinalPlayFlags = SoundFlags::Sync | SoundFlags::NoDefault;
    static constexpr int RingStyle = BoxStyle::SystemModal | BoxStyle::IconWarning | BoxStyle::Ok;

    AlarmLogic(AlarmControls &controls, AlarmServices services);
    AlarmLogic(const AlarmLogic &) = delete;
    AlarmLogic &operator=(const AlarmLogic &) = delete;

    void set();
    void cancel();
    void check();
    // Exit and unload: the check stops, and all it holds ends with it.
    void stopChecking();
    // The clock was set, the zone changed or the computer resumed: the wake
    // timer is placed anew.
    void clockChanged();

private:
    std::string holdReason(TimeOfDay alarm) const;
    void ring();
    void endRing();
    void switchCheck(bool on);
    void placeWake();

    AlarmControls &m_controls;
    AlarmServices m_services;
    bool m_checking = false;
    bool m_ringing = false;
    std::optional<UtcSeconds> m_wakeDue;
    std::chrono::seconds m_wakeOffset{}; // the zone's offset when the wake was placed
};

} // namespace core
