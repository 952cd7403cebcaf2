// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace core {

// A message box's look and behaviour, numbered as the Windows message box's
// MB_OK, MB_ICONWARNING and MB_SYSTEMMODAL.
struct BoxStyle
{
    static constexpr int Ok = 0x0000;          // one button, OK
    static constexpr int IconWarning = 0x0030; // the warning sign
    static constexpr int SystemModal = 0x1000; // above every window
};

// A modal message box that returns once the user has dismissed it.
class AlarmBox : public BoxStyle
{
public:
    virtual ~AlarmBox() = default;
    virtual void show(const std::string &text, int style, const std::string &title) = 0;
};

} // namespace core
