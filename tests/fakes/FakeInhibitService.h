// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "InhibitService.h"
#include "SleepHold.h"

#include <QList>
#include <QStringList>

// A desktop service whose answers the test gives, when it likes.
class FakeInhibitService : public InhibitService
{
public:
    explicit FakeInhibitService(QString name, QStringList *log) : m_name(std::move(name)), m_log(log) {}

    QString name() const override { return m_name; }
    void inhibit(const QString &reason, Reply reply) override
    {
        m_log->append(m_name + " inhibit " + reason);
        pending.append(std::move(reply));
    }
    void uninhibit(const QVariant &token) override
    {
        m_log->append(m_name + " uninhibit " + token.toString());
        held.removeOne(token);
    }

    // Answers the oldest request: a token, or absent (nothing).
    void answer(std::optional<QVariant> token)
    {
        Reply reply = pending.takeFirst();
        if (token)
            held.append(*token);
        reply(std::move(token));
    }

    QList<Reply> pending;
    QList<QVariant> held; // the holds granted and not given back

private:
    QString m_name;
    QStringList *m_log;
};

// Records what the alarm asks of the desktop.
class FakeSleepInhibitor : public core::SleepHold
{
public:
    void hold(const std::string &reason) override { calls.append("hold " + QString::fromStdString(reason)); }
    void release() override { calls.append("release"); }

    QStringList calls;
};
