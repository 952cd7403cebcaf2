// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SleepHold.h"

#include <windows.h>

// Keeps Windows from sleeping by itself: a power request for the system, and
// for the display too when asked, whose reason `powercfg /requests` shows.
class PowerRequest : public core::SleepHold
{
public:
    enum class Keeps { System, SystemAndDisplay };

    explicit PowerRequest(Keeps keeps = Keeps::System) : m_display(keeps == Keeps::SystemAndDisplay) {}
    ~PowerRequest() override;
    PowerRequest(const PowerRequest &) = delete;
    PowerRequest &operator=(const PowerRequest &) = delete;

    void hold(const std::string &reason) override;
    void release() override;

private:
    const bool m_display; // the display turned on, and kept on
    HANDLE m_request = nullptr;
};
