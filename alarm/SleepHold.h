// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace core {

// Keeps the computer from suspending by itself while the alarm is set. A
// suspend the user asks for, and the screen's blanking, are left alone.
class SleepHold
{
public:
    virtual ~SleepHold() = default;
    // The system may show `reason` to the user. Returns at once.
    virtual void hold(const std::string &reason) = 0;
    // Lets the computer suspend again; does nothing when nothing is held.
    virtual void release() = 0;
};

} // namespace core
