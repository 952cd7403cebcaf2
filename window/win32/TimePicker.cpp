// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimePicker.h"

#include "SystemTimeReading.h"

#include <commctrl.h>

TimePicker::TimePicker(HWND parent, int id)
    : m_picker(CreateWindowExA(0, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_TIMEFORMAT,
                               0, 0, 0, 0, parent, HMENU(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr))
{
}

core::ClockReading TimePicker::value() const
{
    SYSTEMTIME st{};
    SendMessageA(m_picker, DTM_GETSYSTEMTIME, 0, LPARAM(&st));
    return SystemTimeReading::fromSystemTime(st);
}

void TimePicker::setValue(core::ClockReading value)
{
    const SYSTEMTIME st = SystemTimeReading::toSystemTime(value);
    SendMessageA(m_picker, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&st));
}
