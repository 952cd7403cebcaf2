#include "AlarmController.h"

#include "Clock.h"
#include "MessageBox.h"
#include "SoundService.h"
#include "TickTimer.h"
#include "Toolkit.h"

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QGuiApplication>

#include <algorithm>
#include <functional>

const QString AlarmController::SoundName = QStringLiteral("alarm.wav");
const QString AlarmController::RingText = QStringLiteral("The alarm clock is going off");

AlarmController::AlarmController(AlarmControls controls, const Clock &clock, SoundService &sound,
                                 MessageBox &messageBox, std::function<void()> yield)
    : m_controls(controls), m_clock(clock), m_sound(sound), m_messageBox(messageBox),
      m_yield(std::move(yield))
{
}

void AlarmController::set()
{
    // The picker offers only a time of day: the alarm goes off at its next
    // occurrence, today or tomorrow, never at a moment already past.
    const QDateTime now = Toolkit::presentMoment(m_clock);
    m_controls.picker.setDateTime(nextOccurrence(m_controls.picker.time(), now));

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

void AlarmController::check()
{
    if (alarmMoment() < Toolkit::presentMoment(m_clock)) {
        ring();
        return;
    }
    // Read again: the second may have turned meanwhile, and then the next check rings.
    const QDateTime present = Toolkit::presentMoment(m_clock);
    if (alarmMoment() > present)
        m_yield();
}

QDateTime AlarmController::nextOccurrence(QTime time, const QDateTime &now)
{
    const QTime wholeSecond(time.hour(), time.minute(), time.second());
    for (QDate day = now.date();; day = day.addDays(1)) {
        QList<QDateTime> moments = momentsShowing(day, wholeSecond);
        // A time that the clock skips that day (the spring change) goes off
        // as soon as the gap is over: at the first minute the clock shows after it.
        const QTime minute(time.hour(), time.minute());
        for (int i = 1; moments.isEmpty() && i < 24 * 60; ++i)
            moments = momentsShowing(day, minute.addSecs(60 * i));
        for (const QDateTime &moment : moments) {
            if (moment >= now)
                return moment;
        }
    }
}

QList<QDateTime> AlarmController::momentsShowing(QDate day, QTime time)
{
    // Qt resolves a local time that the autumn change repeats to either pass,
    // so both are worked out from the day's two UTC offsets.
    const qint64 readAsUtc = QDateTime(day, time, Qt::UTC).toSecsSinceEpoch();
    QList<int> offsets{ QDateTime(day, QTime(0, 0)).offsetFromUtc(),
                        QDateTime(day.addDays(1), QTime(0, 0)).offsetFromUtc() };
    std::sort(offsets.begin(), offsets.end(), std::greater<>()); // the earlier moment first
    QList<QDateTime> moments;
    for (const int offset : offsets) {
        const QDateTime moment = QDateTime::fromSecsSinceEpoch(readAsUtc - offset);
        if (moment.date() == day && moment.time() == time && !moments.contains(moment))
            moments << moment;
    }
    return moments;
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
