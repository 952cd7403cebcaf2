// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace core {

// A message box's look and behaviour, in the numbers of the Windows message box.
struct BoxStyle
{
    static constexpr int MB_OK = 0x0000;
    static constexpr int MB_ICONWARNING = 0x0030;
    static constexpr int MB_SYSTEMMODAL = 0x1000;
};

// A modal message box that returns once the user has dismissed it.
class AlarmBox : public BoxStyle
{
public:
    virtual ~AlarmBox() = default;
    virtual void show(const std::string &text, int style, const std::string &title) = 0;
};

} // namespace core
