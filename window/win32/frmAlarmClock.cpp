// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAlarmClock.h"

#include "ControlIds.h"
#include "LabelColours.h"
#include "ResourceIds.h"
#include "SystemClock.h"
#include "TimeText.h"
#include "TrayController.h"
#include "WideText.h"

#include <commctrl.h>

#include <iterator>
#include <string>

namespace {

constexpr UINT_PTR PulseTimerId = 1;
constexpr DWORD FixedSingleBorder = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The window's procedure is given `form` with the window's first message.
HWND createMainWindow(HINSTANCE instance, WNDPROC windowProc, void *form)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = frmAlarmClock::ClassName;
    RegisterClassExA(&windowClass);
    return CreateWindowExA(0, frmAlarmClock::ClassName, core::design::Title, FixedSingleBorder, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, form);
}

// The default error path of a window or control that could not be made: the
// system's reason in a box, and the program ends rather than run without it.
[[noreturn]] void failCreating(const wchar_t *what)
{
    const DWORD error = GetLastError();
    wchar_t text[512] = L"The ";
    lstrcatW(text, what);
    lstrcatW(text, L" could not be created.\n\n");
    const int length = lstrlenW(text);
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text + length,
                   DWORD(std::size(text) - length), nullptr);
    const std::wstring title = WideText::fromUtf8(core::design::Title);
    MessageBoxW(nullptr, text, title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    ExitProcess(1);
}

HICON programIcon(HINSTANCE instance, int metric, UINT dpi)
{
    const int size = GetSystemMetricsForDpi(metric, dpi);
    return HICON(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ALARM_CLOCK), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

frmAlarmClock::frmAlarmClock(HINSTANCE instance, const WindowServices &services)
    : m_instance(instance),
      m_clock(services.clock),
      m_taskbarCreated(RegisterWindowMessageA("TaskbarCreated")),
      m_pump(m_window),
      m_focus(m_window),
      m_messageBox(m_window),
      m_pulse(m_window, PulseTimerId, services.clock),
      tmrCurrentTimer(m_pulse, [this] { m_form->tmrCurrentTimer_Timer(m_clock.now()); }),
      tmrAlarmTimer(m_pulse, [this] { m_form->tmrAlarmTimer_Timer(); })
{
    if (!createMainWindow(instance, windowProc, this)) // its controls come with WM_CREATE
        failCreating(L"window");
    m_tray = std::make_unique<TrayController>(m_window, mPopupSys, m_sysTray);
    m_alarmControls =
        std::make_unique<WindowAlarmControls>(*dtpAlarmTime, cmdSet, cmdCancel, tmrAlarmTimer, m_focus);
    m_alarm = std::make_unique<core::AlarmLogic>(
        *m_alarmControls,
        core::AlarmServices { services.clock, services.sound, m_messageBox, [this] { m_pump.yield(); },
                              TimeText::timeOfDayText, &services.sleep, services.wake, services.zone, services.volume,
                              services.ringHold });
    m_form = std::make_unique<core::WindowLogic>(static_cast<core::WindowShell &>(*this), *m_tray, *m_alarmControls,
                                                 *m_alarm, services.clock, [this] { m_pump.yield(); });

    RECT frame{};
    GetWindowRect(m_window, &frame);
    applyDpi(GetDpiForWindow(m_window), { frame.left, frame.top });

    tmrCurrentTimer.setEnabled(true);
    m_pulse.start();
}

frmAlarmClock::~frmAlarmClock()
{
    if (IsWindow(m_window))
        SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
    if (mPopupSys)
        DestroyMenu(mPopupSys);
}

// Wide controls: a text outside the ANSI code page, such as the user's time
// format, stays whole.
void frmAlarmClock::createControl(const char *className, const char *text, DWORD style, int id)
{
    CreateWindowExW(0, WideText::fromUtf8(className).c_str(), WideText::fromUtf8(text).c_str(),
                    WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_window, HMENU(INT_PTR(id)), m_instance, nullptr);
}

// Windows names a control after the label just before it among the window's
// children, and Tab follows the same order: the design's order.
void frmAlarmClock::createControls()
{
    for (const core::ControlDesign *design : core::design::Controls) {
        const int id = ControlIds::of(*design);
        switch (design->kind) {
        case core::ControlKind::Label:
            createControl(WC_STATICA, design->text, SS_LEFT | SS_NOPREFIX, id);
            break;
        case core::ControlKind::Picker:
            dtpAlarmTime = std::make_unique<TimePicker>(m_window, id);
            break;
        case core::ControlKind::Button:
            createControl(WC_BUTTONA, design->text, WS_TABSTOP | BS_PUSHBUTTON, id);
            break;
        }
        const HWND control = GetDlgItem(m_window, id);
        if (!control)
            failCreating(L"window's controls");
        m_layout.add(control, *design);
    }
    lblCurrentTime = GetDlgItem(m_window, ControlIds::lblCurrentTime);
    cmdSet = GetDlgItem(m_window, ControlIds::cmdSet);
    cmdCancel = GetDlgItem(m_window, ControlIds::cmdCancel);
    showTimeOfDay(core::timeOfDay(m_clock.now())); // measured for the layout with a real time in it

    mPopupSys = CreatePopupMenu();
    if (!mPopupSys)
        failCreating(L"icon's menu");
    AppendMenuA(mPopupSys, MF_STRING, ControlIds::mPopRestore, core::design::mPopRestore);
    AppendMenuA(mPopupSys, MF_STRING, ControlIds::mPopExit, core::design::mPopExit);
}

void frmAlarmClock::applyDpi(UINT dpi, POINT topLeft)
{
    m_layout.apply(dpi);
    m_layout.resizeWindow(m_window, dpi, topLeft);

    const HICON oldBig = m_bigIcon, oldSmall = m_smallIcon;
    m_bigIcon = programIcon(m_instance, SM_CXICON, dpi);
    m_smallIcon = programIcon(m_instance, SM_CXSMICON, dpi);
    SendMessageA(m_window, WM_SETICON, ICON_BIG, LPARAM(m_bigIcon));
    SendMessageA(m_window, WM_SETICON, ICON_SMALL, LPARAM(m_smallIcon));
    if (oldBig)
        DestroyIcon(oldBig);
    if (oldSmall)
        DestroyIcon(oldSmall);
}

bool frmAlarmClock::highContrastOn()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)
           && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

LRESULT frmAlarmClock::labelColours(HDC dc) const
{
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const core::LabelColours colours =
        core::labelColours(m_highContrast, GetRValue(text), GetGValue(text), GetBValue(text));
    SetTextColor(dc, colours.systemText ? text : RGB(0, 0, 0));
    SetBkColor(dc, colours.systemBackground ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255));
    return LRESULT(colours.systemBackground ? GetSysColorBrush(COLOR_WINDOW) : HBRUSH(GetStockObject(WHITE_BRUSH)));
}

void frmAlarmClock::showTimeOfDay(core::TimeOfDay time)
{
    SetWindowTextW(lblCurrentTime, TimeText::wideTimeOfDayText(time).c_str());
}

void frmAlarmClock::showAndRepaint()
{
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
}

void frmAlarmClock::addTrayIcon()
{
    m_trayIcon = programIcon(m_instance, SM_CXSMICON, GetDpiForWindow(m_window));
    m_sysTray.add(m_window, m_trayIcon);
}

void frmAlarmClock::removeTrayIcon()
{
    m_sysTray.remove();
}

void frmAlarmClock::endProgram()
{
    ExitProcess(0);
}

LRESULT CALLBACK frmAlarmClock::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *created = static_cast<frmAlarmClock *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
        created->m_window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(created));
    }
    auto *form = reinterpret_cast<frmAlarmClock *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcA(window, message, wParam, lParam);
    return form->handle(message, wParam, lParam);
}

LRESULT frmAlarmClock::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == PulseTimerId)
            m_pulse.onTimer();
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ControlIds::cmdSet:
            m_form->cmdSet_Click();
            break;
        case ControlIds::cmdCancel:
            m_form->cmdCancel_Click();
            break;
        case ControlIds::cmdExit:
            m_form->cmdExit_Click();
            break;
        case ControlIds::mPopRestore:
            m_form->mPopRestore_Click();
            break;
        case ControlIds::mPopExit:
            m_form->mPopExit_Click();
            break;
        default:
            break; // Enter and Esc (IDOK, IDCANCEL) do nothing
        }
        return 0;
    case modSysTray::CallbackMessage:
        m_form->Form_MouseMove(LOWORD(lParam));
        return 0;
    case WM_CREATE:
        createControls();
        return 0;
    case WM_SIZE:
        if (m_tray) // not while the window is being created
            Form_Resize();
        return 0;
    case WM_CTLCOLORSTATIC:
        if (m_layout.kindOf(HWND(lParam)) == core::ControlKind::Label)
            return labelColours(HDC(wParam));
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        m_highContrast = highContrastOn();
        SendMessageA(dtpAlarmTime->handle(), message, wParam, lParam);
        InvalidateRect(m_window, nullptr, TRUE);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            m_focus.windowDeactivated();
        else
            m_focus.windowFocused();
        return 0;
    case WM_SETFOCUS:
        m_focus.windowFocused();
        return 0;
    case WM_DPICHANGED: {
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        applyDpi(HIWORD(wParam), { suggested->left, suggested->top });
        return 0;
    }
    case WM_TIMECHANGE: // the clock or the time zone was set
        m_alarm->clockChanged();
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC)
            m_alarm->clockChanged();
        break;
    case WM_DESTROY:
        m_form->Form_Unload();
        PostQuitMessage(0);
        return 0;
    default:
        if (message == m_taskbarCreated && m_taskbarCreated != 0)
            taskbar_Created();
        break;
    }
    return DefWindowProcA(m_window, message, wParam, lParam);
}

void frmAlarmClock::Form_Load()
{
    m_form->Form_Load();
}

void frmAlarmClock::Form_Resize()
{
    m_tray->windowStateChanged();
}

void frmAlarmClock::taskbar_Created()
{
    m_tray->shellRestarted();
}
