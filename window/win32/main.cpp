// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PowerRequest.h"
#include "SystemClock.h"
#include "frmAlarmClock.h"
#include "modPlaySound.h"

#include <windows.h>
#include <commctrl.h>

namespace {

// The bell, "alarm.wav", lies beside the executable; Windows looks for a bare
// sound name in the working folder. Started from a shortcut or another folder,
// the program would ring silently unless its own folder is the working one.
void workInProgramFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    char *lastSeparator = nullptr;
    for (char *c = path; *c; ++c)
        if (*c == '\\' || *c == '/')
            lastSeparator = c;
    if (!lastSeparator)
        return;
    lastSeparator[1] = '\0';
    SetCurrentDirectoryA(path);
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
    frmAlarmClock window(instance, clock, sound, sleep);
    window.Form_Load();
    return window.run();
}
