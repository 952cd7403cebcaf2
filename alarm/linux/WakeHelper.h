// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small program that holds the alarm's wake timer for the Linux program,
// as its exit statuses tell the program why it ended.
namespace wakehelper {

inline constexpr const char *Name = "alarm-clock-wake";

enum Status {
    InputEnded = 0,   // the program closed its end of the pipe
    Failed = 1,       // a system call failed for another reason
    NotAMoment = 2,   // a line that is not a moment to come
    NoCapability = 3, // no CAP_WAKE_ALARM: a wake timer cannot be had
};

} // namespace wakehelper
