// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DBusInhibitService.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QVariantMap>

namespace {

QString applicationId()
{
    const QString id = QGuiApplication::desktopFileName();
    return id.isEmpty() ? QCoreApplication::applicationName() : id;
}

} // namespace

DBusInhibitService::DBusInhibitService(QString name, Request request, Release release,
                                       QDBusConnection::BusType bus, QObject *parent)
    : QObject(parent), m_name(std::move(name)), m_request(std::move(request)), m_release(std::move(release)),
      m_bus(bus)
{
}

std::unique_ptr<InhibitService> DBusInhibitService::portal()
{
    static const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
    return std::make_unique<DBusInhibitService>(
        QStringLiteral("portal"),
        [](const QString &reason) {
            QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/portal/desktop"),
                                                               QStringLiteral("org.freedesktop.portal.Inhibit"),
                                                               QStringLiteral("Inhibit"));
            call << QString() << SuspendFlag << QVariantMap{ { QStringLiteral("reason"), reason } };
            return call;
        },
        [](const QVariant &token) {
            return QDBusMessage::createMethodCall(service, qvariant_cast<QDBusObjectPath>(token).path(),
                                                  QStringLiteral("org.freedesktop.portal.Request"),
                                                  QStringLiteral("Close"));
        });
}

std::unique_ptr<InhibitService> DBusInhibitService::gnomeSession()
{
    static const QString service = QStringLiteral("org.gnome.SessionManager");
    static const QString path = QStringLiteral("/org/gnome/SessionManager");
    return std::make_unique<DBusInhibitService>(
        QStringLiteral("gnome-session"),
        [](const QString &reason) {
            QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Inhibit"));
            call << applicationId() << 0u << reason << SuspendFlag;
            return call;
        },
        [](const QVariant &token) {
            QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Uninhibit"));
            call << token.toUInt();
            return call;
        });
}

std::unique_ptr<InhibitService> DBusInhibitService::powerManagement()
{
    static const QString service = QStringLiteral("org.freedesktop.PowerManagement");
    static const QString path = QStringLiteral("/org/freedesktop/PowerManagement/Inhibit");
    static const QString interface = QStringLiteral("org.freedesktop.PowerManagement.Inhibit");
    return std::make_unique<DBusInhibitService>(
        QStringLiteral("power-management"),
        [](const QString &reason) {
            QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Inhibit"));
            call << applicationId() << reason;
            return call;
        },
        [](const QVariant &token) {
            QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("UnInhibit"));
            call << token.toUInt();
            return call;
        });
}

std::vector<std::unique_ptr<InhibitService>> DBusInhibitService::desktopServices()
{
    std::vector<std::unique_ptr<InhibitService>> services;
    services.push_back(portal());
    services.push_back(gnomeSession());
    services.push_back(powerManagement());
    return services;
}

std::vector<std::unique_ptr<InhibitService>> DBusInhibitService::lidSwitchServices()
{
    static const QString service = QStringLiteral("org.freedesktop.login1");
    std::vector<std::unique_ptr<InhibitService>> services;
    // The token is the descriptor logind answers with (a QDBusUnixFileDescriptor):
    // the block lasts while it is open, and it closes as its last copy goes.
    services.push_back(std::make_unique<DBusInhibitService>(
        QStringLiteral("logind"),
        [](const QString &reason) {
            QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/login1"),
                                                               QStringLiteral("org.freedesktop.login1.Manager"),
                                                               QStringLiteral("Inhibit"));
            call << QStringLiteral("handle-lid-switch") << QGuiApplication::applicationDisplayName() << reason
                 << QStringLiteral("block");
            return call;
        },
        nullptr, QDBusConnection::SystemBus));
    return services;
}

QDBusConnection DBusInhibitService::bus() const
{
    return m_bus == QDBusConnection::SystemBus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
}

void DBusInhibitService::inhibit(const QString &reason, Reply reply)
{
    // Without the bus the call fails at once; the watcher still answers from
    // the event loop.
    const QDBusMessage call = m_request(reason);
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(call, TimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, reply = std::move(reply)] {
        watcher->deleteLater();
        const QDBusMessage answer = watcher->reply();
        if (watcher->isError() || answer.arguments().isEmpty())
            reply(std::nullopt);
        else
            reply(answer.arguments().constFirst());
    });
}

void DBusInhibitService::uninhibit(const QVariant &token)
{
    if (m_release)
        bus().send(m_release(token));
}
