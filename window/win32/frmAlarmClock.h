// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmLogic.h"
#include "ControlLayout.h"
#include "FocusKeeper.h"
#include "MessagePump.h"
#include "TickPulse.h"
#include "TickTimer.h"
#include "TimePicker.h"
#include "Win32MessageBox.h"
#include "WindowAlarmControls.h"
#include "WindowLogic.h"
#include "modSysTray.h"

#include <windows.h>

#include <memory>

class SystemClock;
class TrayController;

// What the window needs from the system beside its own controls.
struct WindowServices
{
    SystemClock &clock;
    core::AlarmSound &sound;
    core::SleepHold &sleep; // keeps automatic suspend off while armed
    core::WakeTimer *wake = nullptr; // wakes a sleeping computer for the ring
    const core::ZoneClock *zone = nullptr; // places the wake on the universal time line
    core::OutputVolume *volume = nullptr; // makes a muted or quiet output heard while ringing
    core::SleepHold *ringHold = nullptr; // keeps a woken computer up, its screen on, while ringing
};

// The alarm clock's one window: the present time, the alarm's picker, Set,
// Cancel and Exit, and the notification-area icon. Each handler hands the work
// to the part of the program it belongs to.
class frmAlarmClock : private core::WindowShell
{
public:
    static constexpr const char *ClassName = "frmAlarmClock";

    frmAlarmClock(HINSTANCE instance, const WindowServices &services);
    ~frmAlarmClock();
    frmAlarmClock(const frmAlarmClock &) = delete;
    frmAlarmClock &operator=(const frmAlarmClock &) = delete;

    HWND handle() const { return m_window; }
    void Form_Load();
    int run() { return m_pump.run(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void createControl(const char *className, const char *text, DWORD style, int id);
    void applyDpi(UINT dpi, POINT topLeft);

    void showTimeOfDay(core::TimeOfDay time) override;
    void showAndRepaint() override;
    void addTrayIcon() override;
    void removeTrayIcon() override;
    [[noreturn]] void endProgram() override;
    static bool highContrastOn();
    LRESULT labelColours(HDC dc) const;

    void Form_Resize();
    void taskbar_Created();

    HINSTANCE m_instance;
    SystemClock &m_clock;
    HWND m_window = nullptr;
    const UINT m_taskbarCreated;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    HICON m_trayIcon = nullptr; // the notification area's, kept for the whole run
    bool m_highContrast = highContrastOn();
    MessagePump m_pump;
    FocusKeeper m_focus;
    ControlLayout m_layout;
    Win32MessageBox m_messageBox;

    HWND lblCurrentTime = nullptr;
    std::unique_ptr<TimePicker> dtpAlarmTime;
    HWND cmdSet = nullptr;
    HWND cmdCancel = nullptr;
    HMENU mPopupSys = nullptr;
    TickPulse m_pulse;
    TickTimer tmrCurrentTimer;
    TickTimer tmrAlarmTimer;

    modSysTray m_sysTray;
    std::unique_ptr<TrayController> m_tray;
    std::unique_ptr<WindowAlarmControls> m_alarmControls;
    std::unique_ptr<core::AlarmLogic> m_alarm;
    std::unique_ptr<core::WindowLogic> m_form;
};
