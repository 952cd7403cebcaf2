# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# `make windows-package`: from the Windows build, the MSI installer and the
# portable zip, alarm-clock-<version>-win64.msi and .zip. Both hold the same
# files in one folder: the program, its default bell, the licence and a
# read-me.

find_program(WIXL wixl)
set(ALARM_CLOCK_HOMEPAGE "https://github.com/alarm-clock/alarm-clock" CACHE STRING
    "The help link of the installed program's entry")

set(ALARM_CLOCK_PACKAGE_NAME alarm-clock-${PROJECT_VERSION}-win64)
set(package_dir ${CMAKE_BINARY_DIR}/package)
# wixl finds the files relative to the folder it runs in.
set(ALARM_CLOCK_PACKAGE_STAGE ${ALARM_CLOCK_PACKAGE_NAME})
set(stage ${package_dir}/${ALARM_CLOCK_PACKAGE_STAGE})
configure_file(resources/windows/alarm-clock.wxs.in ${package_dir}/alarm-clock.wxs @ONLY)
configure_file(resources/windows/README.txt.in ${package_dir}/README.txt @ONLY NEWLINE_STYLE WIN32)

set(msi ${CMAKE_BINARY_DIR}/${ALARM_CLOCK_PACKAGE_NAME}.msi)
set(zip ${CMAKE_BINARY_DIR}/${ALARM_CLOCK_PACKAGE_NAME}.zip)
if(WIXL)
    set(make_msi ${WIXL} -a x64 -o ${msi} alarm-clock.wxs)
else()
    set(make_msi ${CMAKE_COMMAND} -E echo "wixl is missing: install Debian's wixl to make the MSI"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
add_custom_command(OUTPUT ${msi} ${zip}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${msi} ${zip}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:alarm-clock> ${ALARM_CLOCK_DEFAULT_WAV} README.txt ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt ${stage}/LICENSE.txt
    # The program's icon, for the shortcut and the installed programs' list.
    COMMAND ${CMAKE_COMMAND} -E copy ${ALARM_CLOCK_ICON} alarm-clock.ico
    COMMAND ${make_msi}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${ALARM_CLOCK_PACKAGE_NAME}
    WORKING_DIRECTORY ${package_dir}
    DEPENDS alarm-clock ${ALARM_CLOCK_DEFAULT_WAV} ${ALARM_CLOCK_ICON} ${package_dir}/alarm-clock.wxs ${package_dir}/README.txt
        ${CMAKE_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt
    COMMENT "Packing ${ALARM_CLOCK_PACKAGE_NAME}.msi and .zip"
    VERBATIM)
add_custom_target(windows-package DEPENDS ${msi} ${zip})
