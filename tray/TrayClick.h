// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace core {

enum class TrayAction { None, Restore, OpenMenu };

// What a mouse event on the notification-area icon does, by the window
// message number that reports it: the left button's release and double click
// restore the window, the right button's release opens the icon's menu;
// presses and pointer movement do nothing.
constexpr TrayAction trayAction(unsigned mouseMessage)
{
    switch (mouseMessage) {
    case 0x202: // left button released
    case 0x203: // left button double-clicked
        return TrayAction::Restore;
    case 0x205: // right button released
        return TrayAction::OpenMenu;
    default:
        return TrayAction::None;
    }
}

// What the icon's events act on: the window and the icon's menu.
class TrayTarget
{
public:
    virtual ~TrayTarget() = default;
    virtual void restoreFromTray() = 0; // shown, in the foreground
    virtual void openTrayMenu() = 0;
};

inline void dispatchTrayEvent(unsigned mouseMessage, TrayTarget &target)
{
    switch (trayAction(mouseMessage)) {
    case TrayAction::Restore:
        target.restoreFromTray();
        break;
    case TrayAction::OpenMenu:
        target.openTrayMenu();
        break;
    case TrayAction::None:
        break;
    }
}

// Minimizing hides the window only while the icon can be seen: a hidden
// window could not be brought back without it.
constexpr bool hidesOnMinimize(bool minimized, bool visible, bool iconShown)
{
    return minimized && visible && iconShown;
}

// After the notification area started again and the icon was added anew: a
// window hidden behind an icon that did not come back goes back on the
// taskbar, minimized, or it would be lost.
constexpr bool showsMinimizedWithoutIcon(bool minimized, bool visible, bool iconShown)
{
    return !iconShown && minimized && !visible;
}

} // namespace core
