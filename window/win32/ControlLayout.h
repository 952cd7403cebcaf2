// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <vector>

// Places the window's controls at their designed positions in twips (1/1440
// inch), converted to pixels at the window's DPI, in the system's message
// font at that DPI; the client area is 4215 x 1605 twips. Where the font
// needs more room than the design gives a text, the whole layout grows by the
// least factor that lets every text fit.
class ControlLayout
{
public:
    enum class Kind { Label, Button, Picker };
    struct Twips
    {
        int left, top, width, height;
    };
    struct Placement
    {
        HWND control;
        Kind kind;
        Twips twips;
    };

    static constexpr int ClientWidthTwips = 4215;
    static constexpr int ClientHeightTwips = 1605;

    ~ControlLayout();

    void add(HWND control, Kind kind, Twips twips);
    // Sets the font and the positions for `dpi`; returns the client area's size.
    SIZE apply(UINT dpi);
    // Resizes the window to the client area, keeping its top-left corner where `topLeft` says.
    void resizeWindow(HWND window, UINT dpi, POINT topLeft);

private:
    double fitScale(UINT dpi) const;
    int toPixels(int twips, UINT dpi, double scale) const;

    std::vector<Placement> m_placements;
    HFONT m_font = nullptr;
    SIZE m_client{};
};
