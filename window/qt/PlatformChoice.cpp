// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlatformChoice.h"

#include <QtGlobal>

#include <cstring>

namespace PlatformChoice {

QByteArray platformFor(const Session &session)
{
    if (!session.qpaPlatform.isEmpty() || session.platformArgument)
        return {};
    const bool wayland = !session.waylandDisplay.isEmpty() || session.sessionType == "wayland";
    if (!wayland || session.x11Display.isEmpty())
        return {};
    // Should XWayland fail to answer after all, Qt goes on to the native client.
    return QByteArrayLiteral("xcb;wayland");
}

void apply(int argc, char **argv)
{
    Session session{ qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"),
                     qgetenv("DISPLAY") };
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            session.platformArgument = true;
    }
    const QByteArray platform = platformFor(session);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace PlatformChoice
