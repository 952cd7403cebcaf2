// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program's own units, run under Wine (in the zone Europe/Berlin)
// by CTest: each row of each table is checked, each failure printed, and the
// exit status is their count.
#include "ControlLayout.h"
#include "FileTime.h"
#include "SystemClock.h"
#include "WaitableWakeTimer.h"
#include "WideText.h"

#include <cstdio>
#include <cwchar>

namespace {

int failures = 0;

void check(bool ok, const char *what, long long got, long long want)
{
    if (!ok) {
        ++failures;
        std::printf("FAIL %s: got %lld, want %lld\n", what, got, want);
    }
}

core::UtcSeconds at(int y, unsigned m, unsigned d, int hh, int mm, int ss)
{
    using namespace std::chrono;
    return sys_days(year(y) / month(m) / day(d)) + hours(hh) + minutes(mm) + seconds(ss);
}

void fileTimes()
{
    const struct
    {
        core::UtcSeconds moment;
        long long ticks;
    } rows[] = {
        { at(1601, 1, 1, 0, 0, 0), 0 },
        { at(1970, 1, 1, 0, 0, 0), 116444736000000000 },
        { at(2026, 12, 7, 7, 30, 31), 0x1dd861cd6af4580 }, // as Wine's server traced the program's timer
    };
    for (const auto &row : rows) {
        const long long ticks = FileTime::ticksOf(row.moment);
        check(ticks == row.ticks, "ticks of a moment", ticks, row.ticks);
        const core::UtcSeconds back = FileTime::momentOf(row.ticks + FileTime::TicksPerSecond - 1);
        check(back == row.moment, "moment of ticks, the fraction dropped", back.time_since_epoch().count(),
              row.moment.time_since_epoch().count());
    }
}

void zoneOffsets()
{
    const struct
    {
        core::UtcSeconds moment;
        int offset;
    } rows[] = {
        { at(2026, 1, 15, 12, 0, 0), 3600 },
        { at(2026, 3, 29, 0, 59, 59), 3600 }, // the last second before summer time
        { at(2026, 3, 29, 1, 0, 0), 7200 },
        { at(2026, 10, 25, 0, 59, 59), 7200 },
        { at(2026, 10, 25, 1, 0, 0), 3600 },
    };
    const SystemClock clock;
    for (const auto &row : rows) {
        const long long offset = clock.utcOffset(row.moment).count();
        check(offset == row.offset, "offset of the zone", offset, row.offset);
    }
    const long long drift = (clock.utcNow() - std::chrono::time_point_cast<std::chrono::seconds>(
                                                  std::chrono::system_clock::now())).count();
    check(drift == 0 || drift == -1, "universal time now", drift, 0);
}

void reasonTexts()
{
    const struct
    {
        const char *utf8;
        const wchar_t *wide;
    } rows[] = { { "", L"" }, { "Alarm set for 07:30:00", L"Alarm set for 07:30:00" },
                 { "Alarm set for 7:30:00 \xec\x98\xa4\xec\xa0\x84", L"Alarm set for 7:30:00 \xc624\xc804" } };
    for (const auto &row : rows) {
        const std::wstring wide = WideText::fromUtf8(row.utf8);
        check(wide == row.wide, "reason text widened", static_cast<long long>(wide.size()),
              static_cast<long long>(std::wcslen(row.wide)));
        check(WideText::toUtf8(wide) == row.utf8, "and back", 0, 0);
    }
}

void layoutFromDpi()
{
    const struct
    {
        UINT dpi;
        const wchar_t *text;
        SIZE client;
        RECT label; // left, top, right, bottom
    } rows[] = {
        { 96, L"x", { 281, 107 }, { 8, 8, 73, 25 } },
        { 144, L"x", { 422, 161 }, { 12, 12, 110, 38 } },
        { 192, L"x", { 562, 214 }, { 16, 16, 146, 50 } },
    };
    for (const auto &row : rows) {
        HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 400, nullptr, nullptr, nullptr, nullptr);
        HWND label = CreateWindowExW(0, L"STATIC", row.text, WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr);
        ControlLayout layout;
        layout.add(label, core::design::Label2);
        const SIZE client = layout.apply(row.dpi);
        RECT placed;
        GetWindowRect(label, &placed);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT *>(&placed), 2);
        check(client.cx == row.client.cx && client.cy == row.client.cy, "client at a dpi",
              client.cx * 10000 + client.cy, row.client.cx * 10000 + row.client.cy);
        check(EqualRect(&placed, &row.label), "label at a dpi", placed.left * 10000 + placed.right,
              row.label.left * 10000 + row.label.right);
        DestroyWindow(parent);
    }
}

void wakeAnswer()
{
    // Wine sets the timer and answers that it cannot wake the computer.
    WaitableWakeTimer timer;
    timer.arm(SystemClock().utcNow() + std::chrono::minutes(1));
    check(!timer.wakes(), "a machine that cannot wake is told apart", timer.wakes(), 0);
    timer.end();
}

} // namespace

int main()
{
    fileTimes();
    zoneOffsets();
    reasonTexts();
    layoutFromDpi();
    wakeAnswer();
    std::printf("%d failed\n", failures);
    return failures;
}
