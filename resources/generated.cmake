# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What both builds make at build time from the sources in resources/: the
# program's icon at each size, and the default alarm sound.

find_program(RSVG_CONVERT rsvg-convert REQUIRED)

# Renders the icon `size` pixels wide into `png`: the pixel-grid drawing at
# 16 px, the full drawing above.
function(alarm_clock_render_icon size png)
    set(drawing ${CMAKE_SOURCE_DIR}/resources/alarm-clock.svg)
    if(size EQUAL 16)
        set(drawing ${CMAKE_SOURCE_DIR}/resources/alarm-clock-16.svg)
    endif()
    get_filename_component(dir ${png} DIRECTORY)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${drawing}
        DEPENDS ${drawing}
        COMMENT "Rendering the ${size} px icon")
endfunction()

# The default bell, alarm.wav in the build folder (ALARM_CLOCK_DEFAULT_WAV,
# target alarm_wav), made by `generator`: a target or a program that runs on
# this machine.
function(alarm_clock_make_bell generator)
    set(wav ${CMAKE_BINARY_DIR}/alarm.wav)
    add_custom_command(OUTPUT ${wav}
        COMMAND ${generator} ${wav}
        DEPENDS ${generator}
        COMMENT "Making the default alarm sound")
    add_custom_target(alarm_wav ALL DEPENDS ${wav})
    set(ALARM_CLOCK_DEFAULT_WAV ${wav} PARENT_SCOPE)
endfunction()
