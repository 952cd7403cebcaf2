// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;

// The program's one icon in the notification area, added once at start-up and
// removed when the window is closed. Qt picks the protocol: a StatusNotifierItem
// where a host is registered on the session bus, an XEmbed icon otherwise.
class modSysTray : public QObject
{
    Q_OBJECT

public:
    explicit modSysTray(QObject *parent = nullptr);

    // The menu is handed to the notification area too: hosts that speak
    // StatusNotifierItem show it themselves and never report the right click.
    void add(const QIcon &icon, const QString &tip, QMenu *menu);
    void remove();

    bool isAdded() const { return m_icon.isVisible(); }
    // Whether the icon can be seen: added, and a notification area is there to show it.
    bool isShown() const;

    const QSystemTrayIcon &icon() const { return m_icon; }

signals:
    void activated(QSystemTrayIcon::ActivationReason reason);

private:
    QSystemTrayIcon m_icon;
};
