// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modSysTray.h"

modSysTray::modSysTray(QObject *parent) : QObject(parent), m_icon(this)
{
    m_icon.setObjectName(QStringLiteral("sysTray"));
    connect(&m_icon, &QSystemTrayIcon::activated, this, &modSysTray::activated);
}

void modSysTray::add(const QIcon &icon, const QString &tip, QMenu *menu)
{
    m_icon.setIcon(icon);
    m_icon.setToolTip(tip);
    m_icon.setContextMenu(menu);
    m_icon.show();
}

void modSysTray::remove()
{
    m_icon.hide();
}

bool modSysTray::isShown() const
{
    return isAdded() && QSystemTrayIcon::isSystemTrayAvailable();
}
