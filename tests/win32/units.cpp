// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program's own parts, on a real window with its controls where
// they need one: the wake timer's time and zone, the layout at each DPI,
// minimizing with and without the icon, the focus kept while the window is
// inactive. Run in the zone Europe/Berlin. One line per failed row, then the count.
#include "ControlIds.h"
#include "ControlLayout.h"
#include "FileTime.h"
#include "FocusKeeper.h"
#include "LayoutFit.h"
#include "SystemClock.h"
#include "TimePicker.h"
#include "TrayController.h"
#include "WaitableWakeTimer.h"
#include "modSysTray.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Controls = std::vector<std::pair<HWND, const core::ControlDesign *>>;
int passed = 0, failed = 0;
HWND mainWindow, box;
FocusKeeper keeper(mainWindow);
BOOL shellTakesIcons = FALSE;

void expect(const std::string &row, bool ok, const std::string &detail = {})
{
    ok ? ++passed : ++failed;
    if (!ok)
        std::printf("FAIL %s %s\n", row.c_str(), detail.c_str());
}

std::string text(RECT r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + ","
           + std::to_string(r.bottom);
}

// The window tells the keeper of its activation as the program's does; the
// stand-in for the taskbar answers Shell_NotifyIcon's call (WM_COPYDATA).
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window == mainWindow && (message == WM_ACTIVATE || message == WM_SETFOCUS)) {
        message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE ? keeper.windowDeactivated() : keeper.windowFocused();
        return 0;
    }
    return message == WM_COPYDATA ? shellTakesIcons : DefWindowProcW(window, message, wParam, lParam);
}

HWND topLevel(const wchar_t *className, DWORD exStyle = 0)
{
    const WNDCLASSW windowClass{ 0, windowProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, className };
    RegisterClassW(&windowClass);
    return CreateWindowExW(exStyle, className, L"", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                           300, 200, nullptr, nullptr, nullptr, nullptr);
}

core::UtcSeconds at(int y, unsigned m, unsigned d, int hh, int mm, int ss)
{
    using namespace std::chrono;
    return sys_days(year(y) / month(m) / day(d)) + hours(hh) + minutes(mm) + seconds(ss);
}

// The wake timer's due time as Windows takes it, and the zone it is placed by.
void wakeTimes()
{
    const struct
    {
        core::UtcSeconds moment;
        long long ticks;
    } times[] = {
        { at(1601, 1, 1, 0, 0, 0), 0 },
        { at(1970, 1, 1, 0, 0, 0), 116444736000000000 },
        { at(2026, 12, 7, 7, 30, 31), 0x1dd861cd6af4580 }, // as Wine's server traced the program's timer
    };
    for (const auto &row : times) {
        const long long ticks = FileTime::ticksOf(row.moment);
        expect("file time of " + std::to_string(row.ticks), ticks == row.ticks, std::to_string(ticks));
        const core::UtcSeconds back = FileTime::momentOf(row.ticks + FileTime::TicksPerSecond - 1);
        expect("moment of " + std::to_string(row.ticks) + ", the fraction dropped", back == row.moment);
    }
    const struct
    {
        core::UtcSeconds moment;
        int offset;
    } offsets[] = {
        { at(2026, 1, 15, 12, 0, 0), 3600 },   { at(2026, 3, 29, 0, 59, 59), 3600 },
        { at(2026, 3, 29, 1, 0, 0), 7200 },    { at(2026, 10, 25, 0, 59, 59), 7200 },
        { at(2026, 10, 25, 1, 0, 0), 3600 },
    };
    const SystemClock clock;
    for (const auto &row : offsets) {
        const long long offset = clock.utcOffset(row.moment).count();
        expect("zone offset at " + std::to_string(row.moment.time_since_epoch().count()), offset == row.offset,
               std::to_string(offset));
    }
    const auto drift = clock.utcNow() - std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    expect("universal time now", drift.count() == 0 || drift.count() == -1, std::to_string(drift.count()));
    // Wine sets the timer and answers that it cannot wake the computer.
    WaitableWakeTimer timer;
    timer.arm(clock.utcNow() + std::chrono::minutes(1));
    expect("a machine that cannot wake is told apart", !timer.wakes());
    timer.end();
}

void activate(HWND window)
{
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
}

} // namespace

int main()
{
    const INITCOMMONCONTROLSEX classes{ sizeof classes, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&classes);
    wakeTimes();
    mainWindow = topLevel(L"AlarmClockUnits");
    box = topLevel(L"RingBox");
    topLevel(L"Shell_TrayWnd", WS_EX_TOPMOST | WS_EX_TOOLWINDOW); // found first by Shell_NotifyIcon

    // The program's controls in its order, the current time longer than the design's room.
    namespace design = core::design;
    Controls controls;
    for (const core::ControlDesign *d : design::Controls) {
        const bool button = d->kind == core::ControlKind::Button;
        controls.push_back({ d->kind == core::ControlKind::Picker
                                 ? TimePicker(mainWindow, ControlIds::dtpAlarmTime).handle()
                                 : CreateWindowExA(0, button ? WC_BUTTONA : WC_STATICA, d->text,
                                                   WS_CHILD | WS_VISIBLE | (button ? WS_TABSTOP : SS_NOPREFIX),
                                                   0, 0, 0, 0, mainWindow, nullptr, nullptr, nullptr), d });
    }
    const HWND picker = controls[3].first, set = controls[4].first, cancel = controls[5].first;
    SetWindowTextW(controls[1].first, L"10:58:07 in the afternoon");

    ControlLayout layout;
    for (const auto &[handle, placed] : controls)
        layout.add(handle, *placed);
    for (const UINT dpi : { 96u, 144u, 192u, 96u }) {
        const std::string at = " at " + std::to_string(dpi) + ": ";
        layout.apply(dpi);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        const HFONT font = HFONT(SendMessageW(set, WM_GETFONT, 0, 0));
        LOGFONTW used{};
        GetObjectW(font, sizeof used, &used);
        expect("font" + at + "the message font", used.lfHeight == metrics.lfMessageFont.lfHeight
               && std::wstring(used.lfFaceName) == metrics.lfMessageFont.lfFaceName, std::to_string(used.lfHeight));
        // The least growth that lets every text fit in that font; a button
        // needs 4 px a side (at 96 DPI) more for its frame and margin, and the
        // picker its own ideal size.
        HDC dc = GetDC(nullptr);
        SelectObject(dc, font);
        std::vector<core::MeasuredControl> measured;
        for (const auto &[handle, placed] : controls) {
            wchar_t shown[128] = {};
            GetWindowTextW(handle, shown, 128);
            const std::wstring plain = core::withoutAccessKey(shown);
            SIZE size{};
            if (placed->kind == core::ControlKind::Picker)
                SendMessageW(handle, DTM_GETIDEALSIZE, 0, LPARAM(&size));
            else
                GetTextExtentPoint32W(dc, plain.c_str(), int(plain.size()), &size);
            measured.push_back(
                { *placed, core::neededRoom(*placed, { int(size.cx), int(size.cy) }, MulDiv(4, int(dpi), 96)) });
        }
        ReleaseDC(nullptr, dc);
        const double scale = core::fitScale(measured, int(dpi));
        expect("scale" + at + "grown for the long time", scale > 1.0, std::to_string(scale));
        const auto px = [&](int twips) { return core::toPixels(twips, int(dpi), scale); };
        for (const auto &[handle, placed] : controls) {
            RECT r{};
            GetWindowRect(handle, &r);
            MapWindowPoints(HWND_DESKTOP, mainWindow, reinterpret_cast<POINT *>(&r), 2);
            const core::Twips t = placed->twips;
            const RECT want{ px(t.left), px(t.top), px(t.left) + px(t.width), px(t.top) + px(t.height) };
            expect(placed->name + at + text(want), EqualRect(&r, &want), text(r));
        }
        if (dpi == 96) { // the window's own frame is measured at the system's DPI, 96 here
            layout.resizeWindow(mainWindow, dpi, {});
            RECT area{};
            GetClientRect(mainWindow, &area);
            const RECT want{ 0, 0, px(design::Client.width), px(design::Client.height) };
            expect("client" + at + text(want), EqualRect(&area, &want), text(area));
        }
    }

    // Minimizing hides the window only while the notification area took the icon.
    for (const BOOL shellTakes : { FALSE, TRUE }) {
        const std::string row = shellTakes ? "minimized with the icon: " : "minimized without the icon: ";
        shellTakesIcons = shellTakes;
        modSysTray sysTray;
        sysTray.add(mainWindow, LoadIcon(nullptr, IDI_APPLICATION));
        expect(row + "the icon shown as the shell answered", sysTray.isShown() == bool(shellTakes));
        activate(mainWindow);
        ShowWindow(mainWindow, SW_MINIMIZE);
        TrayController(mainWindow, nullptr, sysTray).windowStateChanged();
        expect(row + (shellTakes ? "hidden" : "stays on the taskbar"),
               IsIconic(mainWindow) && IsWindowVisible(mainWindow) == !shellTakes);
        sysTray.remove();
    }

    // The focus: from the window active with the focus on Exit, the activation
    // goes elsewhere (the box, or hiding), then to the window again.
    const struct {
        const char *name;
        void (*away)(HWND control);
        HWND control, expected;
    } focusRows[] = {
        { "kept behind the box", [](HWND c) { SetFocus(c); activate(box); }, cancel, cancel },
        { "kept while hidden", [](HWND c) { SetFocus(c); ShowWindow(mainWindow, SW_HIDE); }, cancel, cancel },
        { "asked for while inactive", [](HWND c) { activate(box); keeper.focus(c); }, set, set },
        { "disabled gives way to the first tab stop",
          [](HWND c) { SetFocus(c); activate(box); EnableWindow(c, FALSE); }, cancel, picker },
    };
    for (const auto &row : focusRows) {
        activate(mainWindow);
        keeper.focus(controls[6].first); // Exit
        row.away(row.control);
        expect(std::string(row.name) + ": the window inactive meanwhile", GetActiveWindow() != mainWindow);
        ShowWindow(box, SW_HIDE);
        activate(mainWindow);
        expect(std::string(row.name) + ": the focus given back", GetFocus() == row.expected);
        EnableWindow(row.control, TRUE);
    }

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
