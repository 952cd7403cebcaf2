// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

// One desktop service that can keep the computer from suspending by itself.
class InhibitService
{
public:
    // The service's token for the hold, or nothing when the service is absent,
    // did not answer in time or refused.
    using Reply = std::function<void(std::optional<QVariant> token)>;

    virtual ~InhibitService() = default;

    virtual QString name() const = 0;
    // Asks for a hold; `reply` is called later, from the event loop, exactly once
    // (unless the service is destroyed first).
    virtual void inhibit(const QString &reason, Reply reply) = 0;
    // Ends a hold; sent without waiting for an answer.
    virtual void uninhibit(const QVariant &token) = 0;
};
