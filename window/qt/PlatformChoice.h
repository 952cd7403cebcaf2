// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Picks the windowing platform before the application starts. Under a Wayland
// session the program runs through XWayland, where the window is told that it
// was minimized and so can hide into the notification area; a native Wayland
// window is minimized by the compositor without a word. A platform the user
// chose (QT_QPA_PLATFORM, or -platform) always wins, and without XWayland the
// program runs as a native Wayland client.
namespace PlatformChoice {

struct Session
{
    QByteArray qpaPlatform;   // QT_QPA_PLATFORM
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray sessionType;    // XDG_SESSION_TYPE
    QByteArray x11Display;     // DISPLAY
    bool platformArgument = false; // -platform on the command line
};

// The value for QT_QPA_PLATFORM, or an empty one to leave Qt's own choice.
QByteArray platformFor(const Session &session);

// Reads the session from the environment and the command line, and applies the choice.
void apply(int argc, char **argv);

} // namespace PlatformChoice
