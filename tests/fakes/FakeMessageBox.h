// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmBox.h"

#include <QList>
#include <QString>

#include <functional>

// Records the boxes shown; while "open" it runs what the test asks, such as a
// nested event loop standing in for the user taking their time.
class FakeMessageBox : public core::AlarmBox
{
public:
    struct Shown
    {
        QString text;
        int style;
        QString title;
    };

    void show(const std::string &text, int style, const std::string &title) override
    {
        shown.append({ QString::fromStdString(text), style, QString::fromStdString(title) });
        if (whileOpen)
            whileOpen();
    }

    QList<Shown> shown;
    std::function<void()> whileOpen;
};
