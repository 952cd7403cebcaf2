// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmLogic.h"

namespace core {

AlarmLogic::AlarmLogic(AlarmControls &controls, AlarmServices services)
    : m_controls(controls), m_services(std::move(services))
{
}

std::string AlarmLogic::holdReason(TimeOfDay alarm) const
{
    return "Alarm set for " + m_services.timeText(alarm);
}

void AlarmLogic::switchCheck(bool on)
{
    m_controls.setCheckEnabled(on);
    if (!m_services.sleep)
        return;
    if (on)
        m_services.sleep->hold(holdReason(timeOfDay(m_controls.pickerValue())));
    else
        m_services.sleep->release();
}

void AlarmLogic::set()
{
    // The picker offers only a time of day: the alarm goes off the next time
    // the clock shows it, today or tomorrow, never at a moment already past.
    m_controls.setPickerValue(nextOccurrence(timeOfDay(m_controls.pickerValue()), m_services.clock.now()));

    m_controls.setPickerEnabled(false);
    switchCheck(true);
    m_controls.setSetEnabled(false);
    m_controls.setCancelEnabled(true);
    m_controls.focusCancel();
}

void AlarmLogic::cancel()
{
    m_controls.setPickerEnabled(true);
    switchCheck(false);
    m_controls.setSetEnabled(true);
    m_controls.setCancelEnabled(false);
    m_controls.focusSet();
}

void AlarmLogic::stopChecking()
{
    switchCheck(false);
}

// Compares what the clock shows with the alarm's reading, as a clock on the
// wall would: a time the spring change skips goes off as the gap ends, and a
// time the autumn change repeats goes off at its first pass.
void AlarmLogic::check()
{
    ClockReading present = m_services.clock.now();
    if (m_controls.pickerValue() < present) {
        ring();
        return;
    }
    // Read again: the second may have turned meanwhile, and then the next check rings.
    present = m_services.clock.now();
    if (m_controls.pickerValue() > present)
        m_services.yield();
}

void AlarmLogic::ring()
{
    m_services.sound.play(SoundName, LoopFlags);
    m_services.box.show(RingText, RingStyle, Title);
    switchCheck(false);
    m_controls.setPickerEnabled(true);
    m_controls.setSetEnabled(true);
    m_controls.setCancelEnabled(false);
    m_controls.focusSet();
    m_services.sound.play(SoundName, FinalPlayFlags);
}

} // namespace core
