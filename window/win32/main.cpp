// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EndpointVolume.h"
#include "PowerRequest.h"
#include "SystemClock.h"
#include "WaitableWakeTimer.h"
#include "frmAlarmClock.h"
#include "modPlaySound.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

// The bell, "alarm.wav", lies beside the executable; Windows looks for a bare
// sound name in the working folder. Started from a shortcut or another folder,
// the program would ring silently unless its own folder is the working one.
void workInProgramFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::wstring folder(path, length);
    const std::size_t lastSeparator = folder.find_last_of(L"\\/");
    if (lastSeparator == std::wstring::npos)
        return;
    folder.resize(lastSeparator + 1);
    SetCurrentDirectoryW(folder.c_str());
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    workInProgramFolder();
    const INITCOMMONCONTROLSEX controls{ sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);

    SystemClock clock;
    modPlaySound sound;
    PowerRequest sleep;
    WaitableWakeTimer wake;
    EndpointVolume volume;
    PowerRequest ringHold(PowerRequest::Keeps::SystemAndDisplay);
    frmAlarmClock window(instance, { clock, sound, sleep, &wake, &clock, &volume, &ringHold });
    window.Form_Load();
    return window.run();
}
