// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InhibitChain.h"

InhibitChain::InhibitChain(std::vector<std::unique_ptr<InhibitService>> services)
    : m_services(std::move(services)), m_self(std::make_shared<InhibitChain *>(this))
{
}

InhibitChain::~InhibitChain()
{
    *m_self = nullptr;
    giveBack();
}

void InhibitChain::hold(const std::string &text)
{
    const QString reason = QString::fromStdString(text);
    m_wanted = true;
    m_reason = reason;
    if (m_held && m_held->reason != reason)
        giveBack();
    if (!m_held && !m_waiting)
        ask(0);
}

void InhibitChain::release()
{
    m_wanted = false;
    giveBack();
}

void InhibitChain::ask(size_t service)
{
    if (service >= m_services.size())
        return; // no service at all: the program runs on without a hold
    m_waiting = true;
    const QString reason = m_reason;
    std::weak_ptr<InhibitChain *> self = m_self;
    m_services[service]->inhibit(reason, [self, service, reason](std::optional<QVariant> token) {
        if (auto chain = self.lock(); chain && *chain)
            (*chain)->answered(service, reason, std::move(token));
    });
}

void InhibitChain::answered(size_t service, const QString &reason, std::optional<QVariant> token)
{
    m_waiting = false;
    if (token) {
        if (m_wanted && reason == m_reason) {
            m_held = Held{ service, *token, reason };
            return;
        }
        // Cancelled, or set for another time, while the answer was on its way.
        m_services[service]->uninhibit(*token);
        if (m_wanted)
            ask(0);
        return;
    }
    if (m_wanted)
        ask(reason == m_reason ? service + 1 : 0);
}

void InhibitChain::giveBack()
{
    if (!m_held)
        return;
    const Held held = *m_held;
    m_held.reset();
    m_services[held.service]->uninhibit(held.token);
}
