# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's icon, rendered from its drawings at every size it is shown at,
# and the default alarm sound, made by a small generator.

include(resources/generated.cmake)

set(ALARM_CLOCK_ICON_SIZES 16 32 48 64 128 256)
set(ALARM_CLOCK_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ALARM_CLOCK_ICONS)
foreach(size IN LISTS ALARM_CLOCK_ICON_SIZES)
    set(png ${ALARM_CLOCK_ICON_DIR}/${size}/alarm-clock.png)
    alarm_clock_render_icon(${size} ${png})
    list(APPEND ALARM_CLOCK_ICONS ${png})
endforeach()

qt_add_resources(alarmclock "icons" PREFIX "/icons" BASE ${ALARM_CLOCK_ICON_DIR} FILES ${ALARM_CLOCK_ICONS})

add_executable(make_bell resources/make_bell.cpp)
alarm_clock_make_bell(make_bell)
