// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmController.h"

#include "Clock.h"
#include "MessageBox.h"
#include "SleepInhibitor.h"
#include "SoundService.h"
#include "TickTimer.h"
#include "Toolkit.h"

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QGuiApplication>

const QString AlarmController::SoundName = QStringLiteral("alarm.wav");
const QString AlarmController::RingText = QStringLiteral("The alarm clock is going off");

AlarmController::AlarmController(AlarmControls controls, const Clock &clock, SoundService &sound,
                                 MessageBox &messageBox, std::function<void()> yield, SleepInhibitor *sleep)
    : m_controls(controls), m_clock(clock), m_sound(sound), m_messageBox(messageBox),
      m_yield(std::move(yield)), m_sleep(sleep)
{
    // Whatever turns the check on or off (Set, Cancel, the ring's OK, Exit)
    // takes the hold with it.
    if (m_sleep)
        m_checkSwitched = QObject::connect(&m_controls.check, &TickTimer::enabledChanged,
                                           [this](bool on) { checkSwitched(on); });
}

AlarmController::~AlarmController()
{
    QObject::disconnect(m_checkSwitched);
}

QString AlarmController::holdReason(QTime alarm)
{
    return QStringLiteral("Alarm set for %1").arg(Toolkit::timeOfDayText(alarm));
}

void AlarmController::checkSwitched(bool on)
{
    if (on)
        m_sleep->hold(holdReason(alarmMoment().time()));
    else
        m_sleep->release();
}

void AlarmController::set()
{
    // The picker offers only a time of day: the alarm goes off the next time
    // the clock shows it, today or tomorrow, never at a moment already past.
    m_controls.picker.setDateTime(nextOccurrence(m_controls.picker.time(), presentReading()));

    m_controls.picker.setEnabled(false);
    m_controls.check.setEnabled(true);
    m_controls.set.setEnabled(false);
    m_controls.cancel.setEnabled(true);
    m_controls.cancel.setFocus();
}

void AlarmController::cancel()
{
    m_controls.picker.setEnabled(true);
    m_controls.check.setEnabled(false);
    m_controls.set.setEnabled(true);
    m_controls.cancel.setEnabled(false);
    m_controls.set.setFocus();
}

// Compares what the clock shows with the alarm's reading, as a clock on the
// wall would: a time the spring change skips goes off as the gap ends, and a
// time the autumn change repeats goes off at its first pass.
void AlarmController::check()
{
    QDateTime present = presentReading();
    if (alarmMoment() < present) {
        ring();
        return;
    }
    // Read again: the second may have turned meanwhile, and then the next check rings.
    present = presentReading();
    if (alarmMoment() > present)
        m_yield();
}

QDateTime AlarmController::nextOccurrence(QTime time, const QDateTime &now)
{
    QDateTime next(now.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC);
    return next < now ? next.addDays(1) : next;
}

QDateTime AlarmController::presentReading() const
{
    return Toolkit::clockReading(Toolkit::presentMoment(m_clock));
}

QDateTime AlarmController::alarmMoment() const
{
    QDateTime alarm = m_controls.picker.dateTime();
    const QTime t = alarm.time();
    alarm.setTime(QTime(t.hour(), t.minute(), t.second()));
    return alarm;
}

void AlarmController::ring()
{
    m_sound.sndPlaySound(SoundName, SoundService::SND_ASYNC | SoundService::SND_NODEFAULT
                                            | SoundService::SND_LOOP);
    m_messageBox.show(RingText, MessageBox::MB_SYSTEMMODAL | MessageBox::MB_ICONWARNING | MessageBox::MB_OK,
                      QGuiApplication::applicationDisplayName());
    m_controls.check.setEnabled(false);
    m_controls.picker.setEnabled(true);
    m_controls.set.setEnabled(true);
    m_controls.cancel.setEnabled(false);
    m_controls.set.setFocus();
    m_sound.sndPlaySound(SoundName, SoundService::SND_SYNC | SoundService::SND_NODEFAULT);
}
