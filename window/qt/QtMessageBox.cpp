// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtMessageBox.h"

void QtMessageBox::show(const std::string &text, int style, const std::string &title)
{
    QMessageBox box(iconForStyle(style), QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("msgAlarm"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, (style & SystemModal) != 0);
    box.exec();
}

QMessageBox::Icon QtMessageBox::iconForStyle(int style)
{
    switch (style & 0x00F0) {
    case 0x0010:
        return QMessageBox::Critical;
    case 0x0020:
        return QMessageBox::Question;
    case IconWarning:
        return QMessageBox::Warning;
    case 0x0040:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}
