// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ForegroundWindow.h"

#include "ActivationOnExpose.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The X server's present time. The window manager weighs an activation by its
// time against the user's last input; the program's own last event may be much
// older when the request comes through the notification area over D-Bus.
// Read on a connection of its own, so that Qt's event reader never sees the event.
xcb_timestamp_t serverTime(const char *display)
{
    xcb_connection_t *connection = xcb_connect(display, nullptr);
    xcb_timestamp_t time = XCB_CURRENT_TIME;
    if (!xcb_connection_has_error(connection)) {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const xcb_window_t probe = xcb_generate_id(connection);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, screen->root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, probe, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            0, nullptr);
        xcb_flush(connection);
        while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
            const bool found = (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY;
            if (found)
                time = reinterpret_cast<xcb_property_notify_event_t *>(event)->time;
            std::free(event);
            if (found)
                break;
        }
    }
    xcb_disconnect(connection);
    return time;
}

// _NET_ACTIVE_WINDOW from a pager: window managers grant it outright, where a
// program's own request may be turned into a mere "demands attention".
void requestActivation(QWidget &window)
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t *connection = x11->connection();
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window.winId());
    message.type = atom(connection, "_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 2; // source: pager
    message.data.data32[1] = serverTime(nullptr);
    message.data.data32[2] = XCB_NONE;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

} // namespace

namespace ForegroundWindow {

void bringToForeground(QWidget &window)
{
    window.raise();
    // Sent right after show(), the request reaches the window manager before
    // it has mapped the window (mutter then focuses it only by showing it
    // within the request): it goes once the window is on the screen.
    if (onX11() && window.windowHandle())
        ActivationOnExpose::request(*window.windowHandle(), [&window] { requestActivation(window); });
    else
        window.activateWindow(); // XDG activation on Wayland
}

bool toldOfMinimizing()
{
    return QGuiApplication::platformName() != QLatin1String("wayland");
}

} // namespace ForegroundWindow
