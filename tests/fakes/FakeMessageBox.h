// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessageBox.h"

#include <QList>

#include <functional>

// Records the boxes shown; while "open" it runs what the test asks, such as a
// nested event loop standing in for the user taking their time.
class FakeMessageBox : public MessageBox
{
public:
    struct Shown
    {
        QString text;
        int style;
        QString title;
    };

    void show(const QString &text, int style, const QString &title) override
    {
        shown.append({ text, style, title });
        if (whileOpen)
            whileOpen();
    }

    QList<Shown> shown;
    std::function<void()> whileOpen;
};
