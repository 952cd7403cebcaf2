// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowDesign.h"

#include <iterator>

// The window's controls and menu items, by their fixed identifiers. None is
// IDOK (1) or IDCANCEL (2), which Enter and Esc send: no button answers them.
namespace ControlIds {

// A control's identifier: its place in the design's list, from 101.
constexpr int of(const core::ControlDesign &design)
{
    for (int i = 0; i < int(std::size(core::design::Controls)); ++i)
        if (core::design::Controls[i] == &design)
            return 101 + i;
    return 0;
}

enum : int {
    Label2 = of(core::design::Label2),
    lblCurrentTime = of(core::design::lblCurrentTime),
    Label1 = of(core::design::Label1),
    dtpAlarmTime = of(core::design::dtpAlarmTime),
    cmdSet = of(core::design::cmdSet),
    cmdCancel = of(core::design::cmdCancel),
    cmdExit = of(core::design::cmdExit),
    mPopRestore = 201,
    mPopExit = 202,
};

} // namespace ControlIds
