// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmLogic.h"

#include "WakeMoment.h"

namespace core {

using Control = AlarmControls::Control;

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
    m_controls.setEnabled(Control::Check, on);
    m_checking = on;
    if (on)
        placeWake();
    else if (m_wakeDue && m_services.wake)
        m_services.wake->end();
    if (!on)
        m_wakeDue.reset();
    if (!m_services.sleep)
        return;
    if (on)
        m_services.sleep->hold(holdReason(timeOfDay(m_controls.pickerValue())));
    else
        m_services.sleep->release();
}

void AlarmLogic::placeWake()
{
    if (!m_services.wake || !m_services.zone)
        return;
    // Placed anew only when the zone's offset changed or the wake is due: a
    // tick then costs one look at the zone, not a search of it.
    const UtcSeconds now = m_services.zone->utcNow();
    const std::chrono::seconds offset = m_services.zone->utcOffset(now);
    if (m_wakeDue && *m_wakeDue > now && offset == m_wakeOffset)
        return;
    m_wakeOffset = offset;
    const std::optional<UtcSeconds> due = wakeMoment(m_controls.pickerValue(), *m_services.zone);
    if (due == m_wakeDue)
        return;
    if (due)
        m_services.wake->arm(*due);
    else
        m_services.wake->end();
    m_wakeDue = due;
}

void AlarmLogic::clockChanged()
{
    if (!m_checking || m_ringing)
        return;
    m_wakeDue.reset();
    placeWake();
}

void AlarmLogic::set()
{
    // The picker offers only a time of day: the alarm goes off the next time
    // the clock shows it, today or tomorrow, never at a moment already past.
    m_controls.setPickerValue(nextOccurrence(timeOfDay(m_controls.pickerValue()), m_services.clock.now()));

    m_controls.setEnabled(Control::Picker, false);
    switchCheck(true);
    m_controls.setEnabled(Control::Set, false);
    m_controls.setEnabled(Control::Cancel, true);
    m_controls.focus(Control::Cancel);
}

void AlarmLogic::cancel()
{
    m_controls.setEnabled(Control::Picker, true);
    switchCheck(false);
    m_controls.setEnabled(Control::Set, true);
    m_controls.setEnabled(Control::Cancel, false);
    m_controls.focus(Control::Set);
}

void AlarmLogic::stopChecking()
{
    switchCheck(false);
    endRing();
}

// Compares what the clock shows with the alarm's reading, as a clock on the
// wall would: a time the spring change skips goes off as the gap ends, and a
// time the autumn change repeats goes off at its first pass.
void AlarmLogic::check()
{
    placeWake(); // follows the zone in force, and the lead's end
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
    m_ringing = true;
    if (m_services.volume)
        m_services.volume->raiseForRing();
    if (m_services.ringHold)
        m_services.ringHold->hold(RingText);
    m_services.sound.play(SoundName, LoopFlags);
    m_services.box.show(RingText, RingStyle, design::Title);
    switchCheck(false);
    m_controls.setEnabled(Control::Picker, true);
    m_controls.setEnabled(Control::Set, true);
    m_controls.setEnabled(Control::Cancel, false);
    m_controls.focus(Control::Set);
    m_services.sound.play(SoundName, FinalPlayFlags);
    endRing();
}

void AlarmLogic::endRing()
{
    if (!m_ringing)
        return;
    m_ringing = false;
    if (m_services.volume)
        m_services.volume->restoreAfterRing();
    if (m_services.ringHold)
        m_services.ringHold->release();
}

} // namespace core
