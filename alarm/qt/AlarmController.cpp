// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmController.h"

#include "Clock.h"
#include "MessageBox.h"
#include "QtClockReading.h"
#include "SleepInhibitor.h"
#include "SoundService.h"
#include "TickTimer.h"
#include "Toolkit.h"

#include <QAbstractButton>
#include <QDateTimeEdit>

namespace {

QString qt(const std::string &text)
{
    return QString::fromStdString(text);
}

class Controls : public core::AlarmControls
{
public:
    explicit Controls(::AlarmControls controls) : m_c(controls) {}

    core::ClockReading pickerValue() const override { return QtClockReading::fromQt(m_c.picker.dateTime()); }
    void setPickerValue(core::ClockReading value) override { m_c.picker.setDateTime(QtClockReading::toQt(value)); }
    void setPickerEnabled(bool enabled) override { m_c.picker.setEnabled(enabled); }
    void setCheckEnabled(bool enabled) override { m_c.check.setEnabled(enabled); }
    void setSetEnabled(bool enabled) override { m_c.set.setEnabled(enabled); }
    void setCancelEnabled(bool enabled) override { m_c.cancel.setEnabled(enabled); }
    void focusSet() override { m_c.set.setFocus(); }
    void focusCancel() override { m_c.cancel.setFocus(); }

private:
    ::AlarmControls m_c;
};

class WallClock : public core::WallClock
{
public:
    explicit WallClock(const Clock &clock) : m_clock(clock) {}
    core::ClockReading now() const override
    {
        return QtClockReading::fromQt(Toolkit::clockReading(Toolkit::presentMoment(m_clock)));
    }

private:
    const Clock &m_clock;
};

class Sound : public core::AlarmSound
{
public:
    explicit Sound(SoundService &sound) : m_sound(sound) {}
    bool play(const std::string &soundName, int flags) override
    {
        return m_sound.sndPlaySound(qt(soundName), flags);
    }

private:
    SoundService &m_sound;
};

class Box : public core::AlarmBox
{
public:
    explicit Box(MessageBox &box) : m_box(box) {}
    void show(const std::string &text, int style, const std::string &title) override
    {
        m_box.show(qt(text), style, qt(title));
    }

private:
    MessageBox &m_box;
};

class Hold : public core::SleepHold
{
public:
    explicit Hold(SleepInhibitor &sleep) : m_sleep(sleep) {}
    void hold(const std::string &reason) override { m_sleep.hold(qt(reason)); }
    void release() override { m_sleep.release(); }

private:
    SleepInhibitor &m_sleep;
};

std::string timeText(core::TimeOfDay time)
{
    return Toolkit::timeOfDayText(QtClockReading::toQtTime(time)).toStdString();
}

} // namespace

struct AlarmController::Adapters
{
    Adapters(::AlarmControls controls, const Clock &clock, SoundService &sound, MessageBox &box,
             SleepInhibitor *sleep)
        : controls(controls), clock(clock), sound(sound), box(box)
    {
        if (sleep)
            hold.emplace(*sleep);
    }

    Controls controls;
    WallClock clock;
    Sound sound;
    Box box;
    std::optional<Hold> hold;
};

AlarmController::AlarmController(AlarmControls controls, const Clock &clock, SoundService &sound,
                                 MessageBox &messageBox, std::function<void()> yield, SleepInhibitor *sleep)
    : m_adapters(std::make_unique<Adapters>(controls, clock, sound, messageBox, sleep))
{
    m_logic = std::make_unique<core::AlarmLogic>(
        m_adapters->controls,
        core::AlarmServices{ m_adapters->clock, m_adapters->sound, m_adapters->box, std::move(yield), timeText,
                             m_adapters->hold ? &*m_adapters->hold : nullptr });
}

AlarmController::~AlarmController() = default;
