// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowDesign.h"

#include <span>
#include <string>

namespace core {

struct PixelSize
{
    int width, height;
};

// What a shell measured of one control: the room its text needs, in pixels
// at the screen's dots per inch (0 where it needs none).
struct MeasuredControl
{
    const ControlDesign &design;
    PixelSize needed;
};

// Where the designed twips land on a screen of `dpi` dots per inch, the whole
// layout grown by `scale`.
int toPixels(int twips, int dpi, double scale = 1.0);
PixelSize toPixels(const Twips &twips, int dpi, double scale = 1.0);

// The room a control needs in pixels, from what the platform measured of it:
// a label its text, a picker the whole control; a button its text, plus its
// frame and margin (`buttonEdge`) on either side.
PixelSize neededRoom(const ControlDesign &design, PixelSize measured, int buttonEdge);

// The design was made for a small font: where a text needs more room, the
// whole layout grows by the least factor, in hundredths, that lets every text fit.
double fitScale(std::span<const MeasuredControl> controls, int dpi);

// The text as shown, without the "&" that marks the access key ("&&" shows one).
template<typename Char>
std::basic_string<Char> withoutAccessKey(const Char *text)
{
    std::basic_string<Char> plain;
    for (const Char *c = text; *c; ++c) {
        if (*c == Char('&') && c[1])
            ++c;
        plain += *c;
    }
    return plain;
}

} // namespace core
