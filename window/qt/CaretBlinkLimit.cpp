// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaretBlinkLimit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

CaretBlinkLimit::CaretBlinkLimit(int idleMs, QObject *parent)
    : QObject(parent), m_flashTime(QGuiApplication::styleHints()->cursorFlashTime())
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleMs);
    connect(&m_idle, &QTimer::timeout, this, &CaretBlinkLimit::stopBlinking);
    QGuiApplication::instance()->installEventFilter(this);
    m_idle.start();
}

CaretBlinkLimit::~CaretBlinkLimit()
{
    QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
}

bool CaretBlinkLimit::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::FocusIn:
        if (QGuiApplication::styleHints()->cursorFlashTime() != m_flashTime)
            QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
        m_idle.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CaretBlinkLimit::stopBlinking()
{
    QGuiApplication::styleHints()->setCursorFlashTime(0); // a steady caret
}
