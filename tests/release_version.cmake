# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The release's version is set once, in project(); every text that names the
# release must name that version first. Run with -DVERSION=... -DSOURCE_DIR=...
set(checks
    "NEWS.md|\n## ([0-9.]+) "
    "resources/debian/changelog|^alarm-clock \\(([0-9.]+)\\)"
    "resources/io.github.alarm_clock.alarm_clock.metainfo.xml|<release version=\"([0-9.]+)\""
    "resources/alarm-clock.1|\"alarm\\\\-clock ([0-9.]+)\""
    "README.md|alarm-clock_([0-9.]+)_amd64\\.deb"
    "README.md|alarm-clock-([0-9.]+)-win64\\.msi")
set(faults "")
foreach(check IN LISTS checks)
    string(REPLACE "|" ";" parts "${check}")
    list(GET parts 0 file)
    list(GET parts 1 pattern)
    file(READ "${SOURCE_DIR}/${file}" text)
    string(REGEX MATCH "${pattern}" found "${text}")
    if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
        string(APPEND faults "${file} names '${CMAKE_MATCH_1}' first, not ${VERSION}\n")
    endif()
endforeach()
if(faults)
    message(FATAL_ERROR "${faults}")
endif()
message(STATUS "Every release text names ${VERSION}")
