// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's controls and menu items, by their fixed identifiers. None is
// IDOK (1) or IDCANCEL (2), which Enter and Esc send: no button answers them.
namespace ControlIds {

enum : int {
    dtpAlarmTime = 101,
    cmdSet = 102,
    cmdCancel = 103,
    cmdExit = 104,
    Label1 = 105,
    Label2 = 106,
    lblCurrentTime = 107,
    mPopRestore = 201,
    mPopExit = 202,
};

} // namespace ControlIds
