// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutFit.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {
constexpr int TwipsPerInch = 1440;
}

int toPixels(int twips, int dpi, double scale)
{
    return int(std::lround(twips * scale * dpi / TwipsPerInch));
}

PixelSize toPixels(const Twips &twips, int dpi, double scale)
{
    return { toPixels(twips.width, dpi, scale), toPixels(twips.height, dpi, scale) };
}

PixelSize neededRoom(const ControlDesign &design, PixelSize measured, int buttonEdge)
{
    if (design.kind == ControlKind::Button)
        return { measured.width + 2 * buttonEdge, measured.height };
    return measured;
}

double fitScale(std::span<const MeasuredControl> controls, int dpi)
{
    double scale = 1.0;
    for (const MeasuredControl &c : controls) {
        const PixelSize design = toPixels(c.design.twips, dpi);
        scale = std::max({ scale, double(c.needed.width) / design.width, double(c.needed.height) / design.height });
    }
    return std::ceil(scale * 100) / 100;
}

} // namespace core
