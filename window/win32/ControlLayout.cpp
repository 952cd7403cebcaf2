// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlLayout.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int TwipsPerInch = 1440;

HFONT messageFont(UINT dpi)
{
    // The ...ForDpi call has no ANSI form: it fills the wide record.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

std::wstring textWithoutAccessKey(HWND control)
{
    wchar_t text[128] = {};
    GetWindowTextW(control, text, 128);
    std::wstring plain;
    for (const wchar_t *c = text; *c; ++c) {
        if (*c == L'&' && c[1])
            ++c;
        plain += *c;
    }
    return plain;
}

} // namespace

ControlLayout::~ControlLayout()
{
    if (m_font)
        DeleteObject(m_font);
}

void ControlLayout::add(HWND control, Kind kind, Twips twips)
{
    m_placements.push_back({ control, kind, twips });
}

int ControlLayout::toPixels(int twips, UINT dpi, double scale) const
{
    return int(std::lround(twips * scale * dpi / TwipsPerInch));
}

double ControlLayout::fitScale(UINT dpi) const
{
    HDC dc = GetDC(nullptr);
    const HGDIOBJ oldFont = SelectObject(dc, m_font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int edge = MulDiv(4, int(dpi), 96); // a button's frame and margin, each side
    double scale = 1.0;
    for (const Placement &p : m_placements) {
        if (p.kind == Kind::Picker)
            continue;
        const std::wstring text = textWithoutAccessKey(p.control);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        const int padding = p.kind == Kind::Button ? 2 * edge : 0;
        scale = std::max({ scale, double(size.cx + padding) / toPixels(p.twips.width, dpi, 1.0),
                           double(metrics.tmHeight) / toPixels(p.twips.height, dpi, 1.0) });
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return std::ceil(scale * 100) / 100;
}

SIZE ControlLayout::apply(UINT dpi)
{
    if (m_font)
        DeleteObject(m_font);
    m_font = messageFont(dpi);
    for (const Placement &p : m_placements)
        SendMessageA(p.control, WM_SETFONT, WPARAM(m_font), FALSE);

    const double scale = fitScale(dpi);
    for (const Placement &p : m_placements)
        MoveWindow(p.control, toPixels(p.twips.left, dpi, scale), toPixels(p.twips.top, dpi, scale),
                   toPixels(p.twips.width, dpi, scale), toPixels(p.twips.height, dpi, scale), TRUE);
    m_client = { toPixels(ClientWidthTwips, dpi, scale), toPixels(ClientHeightTwips, dpi, scale) };
    return m_client;
}

void ControlLayout::resizeWindow(HWND window, UINT dpi, POINT topLeft)
{
    RECT frame{ 0, 0, m_client.cx, m_client.cy };
    AdjustWindowRectExForDpi(&frame, DWORD(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                             DWORD(GetWindowLongPtrA(window, GWL_EXSTYLE)), dpi);
    SetWindowPos(window, nullptr, topLeft.x, topLeft.y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
