// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmBox.h"

#include <QString>

// A modal message box that waits until the user dismisses it.
class MessageBox
{
public:
    static constexpr int MB_OK = core::BoxStyle::Ok;
    static constexpr int MB_ICONWARNING = core::BoxStyle::IconWarning;
    static constexpr int MB_SYSTEMMODAL = core::BoxStyle::SystemModal;

    virtual ~MessageBox() = default;
    virtual void show(const QString &text, int style, const QString &title) = 0;
};
