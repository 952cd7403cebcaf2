// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QMetaObject>
#include <QString>

#include <functional>

class Clock;
class MessageBox;
class QAbstractButton;
class QDateTimeEdit;
class SleepInhibitor;
class SoundService;
class TickTimer;

// The window's controls whose enabled flags and value are the alarm's whole state.
// The picker holds the alarm as a clock reading (see Toolkit::clockReading).
//   Disarmed: check off, picker on,  Set on,  Cancel off
//   Armed:    check on,  picker off, Set off, Cancel on  (also while ringing)
struct AlarmControls
{
    QDateTimeEdit &picker;
    QAbstractButton &set;
    QAbstractButton &cancel;
    TickTimer &check;
};

// Arms and disarms the alarm, checks it once a second and rings it. While the
// check runs (armed, and while ringing) it keeps automatic suspend off, if it
// is given a SleepInhibitor.
class AlarmController
{
public:
    static const QString SoundName;
    static const QString RingText;

    AlarmController(AlarmControls controls, const Clock &clock, SoundService &sound,
                    MessageBox &messageBox, std::function<void()> yield, SleepInhibitor *sleep = nullptr);
    ~AlarmController();
    AlarmController(const AlarmController &) = delete;
    AlarmController &operator=(const AlarmController &) = delete;

    // What the desktop is told while the alarm keeps it awake.
    static QString holdReason(QTime alarm);

    void set();
    void cancel();
    void check();

    // The first clock reading at or after the reading `now` whose time of day is `time`.
    static QDateTime nextOccurrence(QTime time, const QDateTime &now);

private:
    QDateTime presentReading() const;
    QDateTime alarmMoment() const;
    void ring();
    void checkSwitched(bool on);

    AlarmControls m_controls;
    const Clock &m_clock;
    SoundService &m_sound;
    MessageBox &m_messageBox;
    std::function<void()> m_yield;
    SleepInhibitor *m_sleep;
    QMetaObject::Connection m_checkSwitched;
};
