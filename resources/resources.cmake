# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's icon, rendered from its drawings at every size it is shown at,
# and the default alarm sound, made by a small generator.

find_program(RSVG_CONVERT rsvg-convert REQUIRED)

set(ALARM_CLOCK_ICON_SIZES 16 32 48 64 128 256)
set(ALARM_CLOCK_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ALARM_CLOCK_ICONS)
foreach(size IN LISTS ALARM_CLOCK_ICON_SIZES)
    if(size EQUAL 16)
        set(drawing ${CMAKE_SOURCE_DIR}/resources/alarm-clock-16.svg)
    else()
        set(drawing ${CMAKE_SOURCE_DIR}/resources/alarm-clock.svg)
    endif()
    set(png ${ALARM_CLOCK_ICON_DIR}/${size}/alarm-clock.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ALARM_CLOCK_ICON_DIR}/${size}
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${drawing}
        DEPENDS ${drawing}
        COMMENT "Rendering the ${size} px icon")
    list(APPEND ALARM_CLOCK_ICONS ${png})
endforeach()

qt_add_resources(alarmclock "icons" PREFIX "/icons" BASE ${ALARM_CLOCK_ICON_DIR} FILES ${ALARM_CLOCK_ICONS})

add_executable(make_bell resources/make_bell.cpp)
set(ALARM_CLOCK_DEFAULT_WAV ${CMAKE_BINARY_DIR}/alarm.wav)
add_custom_command(OUTPUT ${ALARM_CLOCK_DEFAULT_WAV}
    COMMAND make_bell ${ALARM_CLOCK_DEFAULT_WAV}
    DEPENDS make_bell
    COMMENT "Making the default alarm sound")
add_custom_target(alarm_wav ALL DEPENDS ${ALARM_CLOCK_DEFAULT_WAV})
