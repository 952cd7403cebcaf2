# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The probe of the end-to-end tests under Wine: it reads the program's windows,
# the taskbar and the notification area back through the Win32 API.
add_executable(wine-probe ${CMAKE_CURRENT_LIST_DIR}/probe.cpp)
target_compile_options(wine-probe PRIVATE -Wall -Wextra)
target_link_libraries(wine-probe PRIVATE comctl32)
target_link_options(wine-probe PRIVATE -static -s)
set_target_properties(wine-probe PROPERTIES AUTOMOC OFF)
