// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowDesign.h"

#include <windows.h>

#include <optional>
#include <vector>

// Places the window's controls where the design puts them, converted to
// pixels at the window's DPI, in the system's message font at that DPI,
// grown where the font needs more room than the design gives a text.
class ControlLayout
{
public:
    ~ControlLayout();

    void add(HWND control, const core::ControlDesign &design);
    // Sets the font and the positions for `dpi`.
    void apply(UINT dpi);
    // Resizes the window to the client area, keeping its top-left corner where `topLeft` says.
    void resizeWindow(HWND window, UINT dpi, POINT topLeft);

    // What the design says `control` is; nothing for a window it does not place.
    std::optional<core::ControlKind> kindOf(HWND control) const;

private:
    struct Placement
    {
        HWND control;
        const core::ControlDesign &design;
    };

    double fitScale(UINT dpi) const;

    std::vector<Placement> m_placements;
    HFONT m_font = nullptr;
    SIZE m_client{};
};
