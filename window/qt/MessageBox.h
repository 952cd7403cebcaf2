// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A modal message box that waits until the user dismisses it.
class MessageBox
{
public:
    static constexpr int MB_OK = 0x0000;
    static constexpr int MB_ICONWARNING = 0x0030;
    static constexpr int MB_SYSTEMMODAL = 0x1000;

    virtual ~MessageBox() = default;
    virtual void show(const QString &text, int style, const QString &title) = 0;
};
