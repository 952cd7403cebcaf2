// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlLayout.h"

#include "LayoutFit.h"

#include <commctrl.h>

#include <string>

namespace {

HFONT messageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

std::wstring shownText(HWND control)
{
    wchar_t text[128] = {};
    GetWindowTextW(control, text, int(std::size(text)));
    return core::withoutAccessKey(text);
}

} // namespace

ControlLayout::~ControlLayout()
{
    if (m_font)
        DeleteObject(m_font);
}

void ControlLayout::add(HWND control, const core::ControlDesign &design)
{
    m_placements.push_back({ control, design });
}

double ControlLayout::fitScale(UINT dpi) const
{
    HDC dc = GetDC(nullptr);
    const HGDIOBJ oldFont = SelectObject(dc, m_font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int edge = MulDiv(4, int(dpi), 96); // a button's frame and margin, each side
    std::vector<core::MeasuredControl> measured;
    for (const Placement &p : m_placements) {
        SIZE size{};
        if (p.design.kind == core::ControlKind::Picker) {
            SendMessageW(p.control, DTM_GETIDEALSIZE, 0, LPARAM(&size));
        } else {
        const std::wstring text = shownText(p.control);
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
            size.cy = metrics.tmHeight;
        }
        measured.push_back({ p.design, core::neededRoom(p.design, { int(size.cx), int(size.cy) }, edge) });
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return core::fitScale(measured, int(dpi));
}

void ControlLayout::apply(UINT dpi)
{
    if (m_font)
        DeleteObject(m_font);
    m_font = messageFont(dpi);
    for (const Placement &p : m_placements)
        SendMessageW(p.control, WM_SETFONT, WPARAM(m_font), FALSE);

    const double scale = fitScale(dpi);
    const auto px = [dpi, scale](int twips) { return core::toPixels(twips, int(dpi), scale); };
    for (const Placement &p : m_placements) {
        const core::Twips &t = p.design.twips;
        MoveWindow(p.control, px(t.left), px(t.top), px(t.width), px(t.height), TRUE);
    }
    m_client = { px(core::design::Client.width), px(core::design::Client.height) };
}

std::optional<core::ControlKind> ControlLayout::kindOf(HWND control) const
{
    for (const Placement &p : m_placements)
        if (p.control == control)
            return p.design.kind;
    return std::nullopt;
}

void ControlLayout::resizeWindow(HWND window, UINT dpi, POINT topLeft)
{
    RECT frame{ 0, 0, m_client.cx, m_client.cy };
    AdjustWindowRectExForDpi(&frame, DWORD(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    SetWindowPos(window, nullptr, topLeft.x, topLeft.y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
