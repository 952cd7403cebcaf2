// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TickGate.h"
#include "TickPulse.h"

#include <QObject>
#include <QPointer>

// A once-a-second timer whose ticks come just after the wall clock's second turns,
// so that whatever a tick shows is fresh for the whole second. Timers made on one
// TickPulse share its wake-up.
//
// Its handler is never entered again while an earlier call is still running, not
// even from a nested event loop (a modal box or a menu); ticks due meanwhile are
// dropped. Enabling it starts afresh: no tick left over from before is delivered.
class TickTimer : public QObject
{
    Q_OBJECT

public:
    explicit TickTimer(TickPulse &pulse, QObject *parent = nullptr);
    ~TickTimer() override;

    bool isEnabled() const { return m_gate.isEnabled(); }
    void setEnabled(bool enabled);

    // The clock as read for the tick being handled.
    QDateTime reading() const { return m_pulse ? m_pulse->reading() : QDateTime(); }

    // Runs the handler for the pulse's tick number `tick`, unless that is not for it.
    void deliver(quint64 tick);

signals:
    void timeout();

private:
    QPointer<TickPulse> m_pulse;
    core::TickGate m_gate;
};
