// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// Where the program reads the present moment, so that tests can set the time.
class Clock
{
public:
    virtual ~Clock() = default;
    // Local date and time, to the millisecond.
    virtual QDateTime now() const = 0;
};
