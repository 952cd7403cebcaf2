// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmBox.h"
#include "AlarmControls.h"
#include "AlarmSound.h"
#include "ClockReading.h"
#include "SleepHold.h"
#include "WallClock.h"
#include "WindowDesign.h"

#include <functional>
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
};

// The alarm, the same on every platform: Set arms it, Cancel disarms it, the
// check runs once a second while it is armed, and rings it when its moment has
// passed. Its state is held by the window's controls alone. While the check
// runs (armed, and while ringing) it keeps automatic suspend off.
class AlarmLogic
{
public:
    static constexpr const char *SoundName = "alarm.wav";
    static constexpr const char *RingText = "The alarm clock is going off";
    static constexpr const char *Title = design::Title; // the application's title
    static constexpr int LoopFlags = SoundFlags::Async | SoundFlags::NoDefault | SoundFlags::Loop;
    static constexpr int FinalPlayFlags = SoundFlags::Sync | SoundFlags::NoDefault;
    static constexpr int RingStyle = BoxStyle::SystemModal | BoxStyle::IconWarning | BoxStyle::Ok;

    AlarmLogic(AlarmControls &controls, AlarmServices services);
    AlarmLogic(const AlarmLogic &) = delete;
    AlarmLogic &operator=(const AlarmLogic &) = delete;

    void set();
    void cancel();
    void check();
    // Exit: the check stops, and the hold on suspend with it.
    void stopChecking();

    // What the system is told while the alarm keeps it awake.
    std::string holdReason(TimeOfDay alarm) const;

private:
    void ring();
    void switchCheck(bool on);

    AlarmControls &m_controls;
    AlarmServices m_services;
};

} // namespace core
