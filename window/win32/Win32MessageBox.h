// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmBox.h"

#include <windows.h>

// The ringing box: MessageBoxA owned by the window, which takes no input
// while it is open.
class Win32MessageBox : public core::AlarmBox
{
public:
    // `owner`: the main window's handle, set once it is created.
    explicit Win32MessageBox(const HWND &owner) : m_owner(owner) {}
    void show(const std::string &text, int style, const std::string &title) override;

private:
    const HWND &m_owner;
};
