// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QWindow;

// Runs an activation once the window is on the screen: at once when it is
// already exposed, otherwise at its first exposure. One waits per window; a
// further request while it waits is the same request.
class ActivationOnExpose : public QObject
{
public:
    static void request(QWindow &window, std::function<void()> activate);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ActivationOnExpose(QWindow &window, std::function<void()> activate);

    QWindow &m_window;
    std::function<void()> m_activate;
};
