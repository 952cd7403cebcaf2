// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Brings the window to the foreground with the focus, as the desktop lets a
// taskbar or notification area do it on the user's behalf.
namespace ForegroundWindow {

void bringToForeground(QWidget &window);

// Whether the window system tells the program when its window is minimized:
// a Wayland compositor minimizes a window without a word.
bool toldOfMinimizing();

} // namespace ForegroundWindow
