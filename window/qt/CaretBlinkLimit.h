// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

// Stops the text caret blinking after a while without input, as GTK desktops
// do: a window left open all day on the alarm picker then repaints only once a
// second, for the time of day, instead of at every blink.
class CaretBlinkLimit : public QObject
{
    Q_OBJECT

public:
    static constexpr int IdleMs = 10000;

    explicit CaretBlinkLimit(int idleMs = IdleMs, QObject *parent = nullptr);
    ~CaretBlinkLimit() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stopBlinking();

    int m_flashTime;
    QTimer m_idle;
};
