// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace core {

// The window and its notification-area icon as the tray's logic sees them;
// each platform carries the steps out with its own calls.
class TrayWindow
{
public:
    virtual ~TrayWindow() = default;

    virtual bool isMinimized() const = 0;
    virtual bool isVisible() const = 0;
    // Whether the icon can be seen now, so that a hidden window can be brought back.
    virtual bool iconShown() const = 0;

    virtual void hide() = 0;
    // Back on the taskbar, still minimized, without taking the focus.
    virtual void showMinimized() = 0;
    // Normal state, in the foreground, shown.
    virtual void restoreSteps() = 0;
    // The window in the foreground, the icon's menu open at the pointer.
    virtual void openMenu() = 0;
    // The notification area has started again: the icon is added anew.
    virtual void addIconAgain() = 0;
};

} // namespace core
