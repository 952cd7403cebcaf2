// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class Clock;
class MessageBox;
class QAbstractButton;
class QDateTimeEdit;
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

// Arms and disarms the alarm, checks it once a second and rings it.
class AlarmController
{
public:
    static const QString SoundName;
    static const QString RingText;

    AlarmController(AlarmControls controls, const Clock &clock, SoundService &sound,
                    MessageBox &messageBox, std::function<void()> yield);

    void set();
    void cancel();
    void check();

    // The first clock reading at or after the reading `now` whose time of day is `time`.
    static QDateTime nextOccurrence(QTime time, const QDateTime &now);

private:
    QDateTime presentReading() const;
    QDateTime alarmMoment() const;
    void ring();

    AlarmControls m_controls;
    const Clock &m_clock;
    SoundService &m_sound;
    MessageBox &m_messageBox;
    std::function<void()> m_yield;
};
