# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The probe of the end-to-end tests under Wine: it reads the program's windows,
# the taskbar and the notification area back through the Win32 API.
add_executable(wine-probe ${CMAKE_CURRENT_LIST_DIR}/probe.cpp)
target_compile_options(wine-probe PRIVATE -Wall -Wextra -Wpedantic)
target_link_libraries(wine-probe PRIVATE comctl32)
target_link_options(wine-probe PRIVATE -static -s)

# The program's own units that decide anything, run under Wine by CTest
# (tests/CMakeLists.txt).
add_executable(win32-units ${CMAKE_CURRENT_LIST_DIR}/units.cpp ${CMAKE_SOURCE_DIR}/window/win32/ControlLayout.cpp
    ${CMAKE_SOURCE_DIR}/window/win32/SystemClock.cpp ${CMAKE_SOURCE_DIR}/alarm/win32/WaitableWakeTimer.cpp)
target_include_directories(win32-units PRIVATE ${CMAKE_SOURCE_DIR}/window/win32 ${CMAKE_SOURCE_DIR}/alarm/win32)
target_compile_options(win32-units PRIVATE -Wall -Wextra -Wpedantic)
target_link_libraries(win32-units PRIVATE alarmcore gdi32)
target_link_options(win32-units PRIVATE -static -s)
