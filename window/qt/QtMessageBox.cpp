// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtMessageBox.h"

void QtMessageBox::show(const QString &text, int style, const QString &title)
{
    QMessageBox box(iconForStyle(style), title, text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("msgAlarm"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, (style & MB_SYSTEMMODAL) != 0);
    box.exec();
}

QMessageBox::Icon QtMessageBox::iconForStyle(int style)
{
    switch (style & 0x00F0) {
    case 0x0010:
        return QMessageBox::Critical;
    case 0x0020:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case 0x0040:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}
