// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmLogic.h"

#include <functional>
#include <memory>

class Clock;
class MessageBox;
class QAbstractButton;
class QDateTimeEdit;
class SleepInhibitor;
class SoundService;
class TickTimer;

// The window's controls whose enabled flags and value are the alarm's whole state.
// The picker holds the alarm as a clock reading (see Toolkit::clockReading).
struct AlarmControls
{
    QDateTimeEdit &picker;
    QAbstractButton &set;
    QAbstractButton &cancel;
    TickTimer &check;
};

// The alarm's shared logic on Qt's widgets and services.
class AlarmController
{
public:
    AlarmController(AlarmControls controls, const Clock &clock, SoundService &sound,
                    MessageBox &messageBox, std::function<void()> yield, SleepInhibitor *sleep = nullptr);
    ~AlarmController();
    AlarmController(const AlarmController &) = delete;
    AlarmController &operator=(const AlarmController &) = delete;

    void set() { m_logic->set(); }
    void cancel() { m_logic->cancel(); }
    void check() { m_logic->check(); }
    void stopChecking() { m_logic->stopChecking(); }

private:
    struct Adapters;
    std::unique_ptr<Adapters> m_adapters;
    std::unique_ptr<core::AlarmLogic> m_logic;
};
