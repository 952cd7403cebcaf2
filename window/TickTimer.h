// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

class Clock;

// A once-a-second timer whose ticks come just after the wall clock's second turns,
// so that whatever a tick shows is fresh for the whole second.
//
// Its handler is never entered again while an earlier call is still running, not
// even from a nested event loop (a modal box or a menu); ticks due meanwhile are
// dropped. Enabling it starts afresh: no tick left over from before is delivered.
class TickTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int PhaseMs = 5; // how long after the second turns a tick comes

    explicit TickTimer(const Clock &clock, QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Milliseconds from the given wall-clock time to the next tick.
    static int msecsToNextTick(const QTime &wallClock);

signals:
    void timeout();

private:
    void fire();
    void scheduleNext();

    const Clock &m_clock;
    QTimer m_timer;
    bool m_enabled = false;
    bool m_inHandler = false;
};
