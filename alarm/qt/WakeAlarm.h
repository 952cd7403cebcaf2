// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WakeTimer.h"

#include <QObject>
#include <QString>

class QProcess;

// The wake timer, held by the helper program alarm-clock-wake: the one
// process that may have CAP_WAKE_ALARM. It is started at the first arm(), told
// each moment on a line of its standard input, and ends when end() closes that
// input (or when the program dies, and with it the pipe). Nothing here waits
// for it. A helper that cannot set such a timer is not started again; with no
// helper at all the calls do nothing.
class WakeAlarm : public QObject, public core::WakeTimer
{
    Q_OBJECT

public:
    // The helper's path: beside the program (a build), else in the program's
    // own folder of helpers (an install, also a staged one); empty if neither.
    static QString helperPath();

    explicit WakeAlarm(QString helper = helperPath(), QObject *parent = nullptr);
    ~WakeAlarm() override;

    void arm(core::UtcSeconds due) override;
    void end() override;

private:
    void start();
    void ended(QProcess *helper);

    QString m_helper;
    QProcess *m_holder = nullptr; // the helper that holds the timer now
    bool m_refused = false;       // it lacks the capability: not started again
};
