// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActivationOnExpose.h"

#include <QEvent>
#include <QWindow>

void ActivationOnExpose::request(QWindow &window, std::function<void()> activate)
{
    if (window.isExposed())
        activate();
    else if (!window.findChild<ActivationOnExpose *>(QString(), Qt::FindDirectChildrenOnly))
        new ActivationOnExpose(window, std::move(activate));
}

ActivationOnExpose::ActivationOnExpose(QWindow &window, std::function<void()> activate)
    : QObject(&window), m_window(window), m_activate(std::move(activate))
{
    window.installEventFilter(this);
}

bool ActivationOnExpose::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Expose && m_window.isExposed()) {
        m_window.removeEventFilter(this);
        deleteLater();
        m_activate();
    }
    return false;
}
