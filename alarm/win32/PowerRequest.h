// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SleepHold.h"

#include <windows.h>

// Keeps Windows from sleeping by itself while the alarm is set: a power
// request for the system, whose reason `powercfg /requests` shows.
class PowerRequest : public core::SleepHold
{
public:
    PowerRequest() = default;
    ~PowerRequest() override;
    PowerRequest(const PowerRequest &) = delete;
    PowerRequest &operator=(const PowerRequest &) = delete;

    void hold(const std::string &reason) override;
    void release() override;

private:
    HANDLE m_request = nullptr;
};
