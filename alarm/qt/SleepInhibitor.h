// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Asks the desktop not to suspend the computer automatically while the alarm
// is set. A suspend the user asks for, and the screen's blanking and locking,
// are left alone.
class SleepInhibitor
{
public:
    virtual ~SleepInhibitor() = default;

    // Keeps automatic suspend off; the desktop may show `reason` to the user.
    virtual void hold(const QString &reason) = 0;
    // Lets the desktop suspend again. Does nothing when nothing is held.
    virtual void release() = 0;
};
