// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "InhibitService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <memory>
#include <vector>

// A service on the session bus that holds off automatic suspend: the XDG
// desktop portal, the GNOME session manager, or the PowerManagement inhibit
// service of KDE and Xfce; or logind on the system bus, which keeps a closed
// lid from suspending the computer. Every call is asynchronous, with a timeout.
class DBusInhibitService : public QObject, public InhibitService
{
    Q_OBJECT

public:
    static constexpr int TimeoutMs = 3000;
    static constexpr uint SuspendFlag = 4; // the portal's and the session manager's "suspend"

    using Request = std::function<QDBusMessage(const QString &reason)>;
    // Nothing where the token is a file descriptor: the hold ends as it closes.
    using Release = std::function<QDBusMessage(const QVariant &token)>;

    DBusInhibitService(QString name, Request request, Release release,
                       QDBusConnection::BusType bus = QDBusConnection::SessionBus, QObject *parent = nullptr);

    static std::unique_ptr<InhibitService> portal();
    static std::unique_ptr<InhibitService> gnomeSession();
    static std::unique_ptr<InhibitService> powerManagement();
    // The three, in the order they are tried.
    static std::vector<std::unique_ptr<InhibitService>> desktopServices();
    // logind's block on handling the lid switch, and that alone: a woken
    // laptop whose lid is closed stays up while it is held.
    static std::vector<std::unique_ptr<InhibitService>> lidSwitchServices();

    QString name() const override { return m_name; }
    void inhibit(const QString &reason, Reply reply) override;
    void uninhibit(const QVariant &token) override;

private:
    QDBusConnection bus() const;

    QString m_name;
    Request m_request;
    Release m_release;
    QDBusConnection::BusType m_bus;
};
