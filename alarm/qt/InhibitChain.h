// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "InhibitService.h"
#include "SleepHold.h"

#include <memory>
#include <optional>
#include <vector>

// Holds off automatic suspend through the first of its services that answers,
// trying the next when one is absent. Every call is asynchronous: hold() and
// release() return at once, and a hold granted after release() (or for an
// earlier reason) is given back as soon as it arrives.
class InhibitChain : public core::SleepHold
{
public:
    explicit InhibitChain(std::vector<std::unique_ptr<InhibitService>> services);
    ~InhibitChain() override;

    void hold(const std::string &reason) override;
    void release() override;

private:
    struct Held
    {
        size_t service;
        QVariant token;
        QString reason;
    };

    void ask(size_t service);
    void answered(size_t service, const QString &reason, std::optional<QVariant> token);
    void giveBack();

    std::vector<std::unique_ptr<InhibitService>> m_services;
    std::shared_ptr<InhibitChain *> m_self; // lets a late answer see that the chain is gone
    bool m_wanted = false;
    QString m_reason;
    bool m_waiting = false;
    std::optional<Held> m_held;
};
