// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>

namespace core {

// The colours of the window's labels: white as designed, with the system's
// text colour where it can be read on white (a dark theme's light text is
// not: black then); in high contrast, the system's own window colours.
struct LabelColours
{
    bool systemBackground; // else white
    bool systemText; // else black
};

constexpr LabelColours labelColours(bool highContrast, int textRed, int textGreen, int textBlue)
{
    if (highContrast)
        return { true, true };
    // Lightness as in HSL, 0 to 255.
    const auto [darkest, lightest] = std::minmax({ textRed, textGreen, textBlue });
    const int lightness = (darkest + lightest) / 2;
    return { false, lightness <= 160 };
}

} // namespace core
