# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The probe of the end-to-end tests under Wine: it reads the program's windows,
# the taskbar and the notification area back through the Win32 API.
add_executable(wine-probe ${CMAKE_CURRENT_LIST_DIR}/probe.cpp)
target_compile_options(wine-probe PRIVATE -Wall -Wextra -Wpedantic)
target_link_libraries(wine-probe PRIVATE comctl32)
target_link_options(wine-probe PRIVATE -static -s)

# The program's own Win32 parts, run under Wine by the Linux tests
# (win32_units): the wake timer's time and zone, the layout at each DPI,
# minimizing with and without the icon, the focus kept while the window is inactive.
add_executable(win32-units ${CMAKE_CURRENT_LIST_DIR}/units.cpp
    window/win32/ControlLayout.cpp window/win32/FocusKeeper.cpp window/win32/TimePicker.cpp
    tray/win32/TrayController.cpp tray/win32/modSysTray.cpp window/win32/SystemClock.cpp
    alarm/win32/WaitableWakeTimer.cpp)
target_include_directories(win32-units PRIVATE window/win32 alarm/win32 tray/win32)
target_compile_options(win32-units PRIVATE -Wall -Wextra -Wpedantic)
target_link_libraries(win32-units PRIVATE alarmcore comctl32)
target_link_options(win32-units PRIVATE -static -s)
