# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Linux program: a Qt 6 window around the shared alarm core, its sound
# through SDL2_mixer, its hold on suspend over D-Bus, the ring's volume through
# libpulse; its resources, install rules, tests and benchmarks.
set(CMAKE_AUTOMOC ON)

include(GNUInstallDirs)
find_package(Qt6 6.2 REQUIRED COMPONENTS Widgets DBus)
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
pkg_check_modules(PULSE REQUIRED IMPORTED_TARGET libpulse)

set(ALARM_CLOCK_DATADIR "${CMAKE_INSTALL_FULL_DATADIR}/alarm-clock")
# The wake timer's holder, and where it lies as seen from the program's folder.
set(ALARM_CLOCK_HELPERDIR "${CMAKE_INSTALL_FULL_LIBEXECDIR}/alarm-clock")
file(RELATIVE_PATH ALARM_CLOCK_HELPERDIR_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}" "${ALARM_CLOCK_HELPERDIR}")
# The desktop entry's and the AppStream component's name.
set(ALARM_CLOCK_APP_ID io.github.alarm_clock.alarm_clock)

# Everything of the Qt program but its main().
file(GLOB alarm_clock_qt_sources CONFIGURE_DEPENDS window/qt/*.cpp alarm/qt/*.cpp tray/qt/*.cpp)
list(FILTER alarm_clock_qt_sources EXCLUDE REGEX "/main\\.cpp$")
add_library(alarmclock STATIC ${alarm_clock_qt_sources})
target_include_directories(alarmclock PUBLIC window/qt alarm/qt tray/qt alarm/linux)
target_compile_definitions(alarmclock PRIVATE ALARM_CLOCK_DATADIR="${ALARM_CLOCK_DATADIR}"
    ALARM_CLOCK_HELPERDIR="${ALARM_CLOCK_HELPERDIR}" ALARM_CLOCK_HELPERDIR_FROM_BIN="${ALARM_CLOCK_HELPERDIR_FROM_BIN}")
# SDL2_mixer is loaded at the first play, not linked: only its headers are used here.
target_include_directories(alarmclock PUBLIC ${SDL2_MIXER_INCLUDE_DIRS})
target_link_libraries(alarmclock PUBLIC alarmcore Qt6::Widgets Qt6::DBus PkgConfig::XCB PkgConfig::PULSE
    ${CMAKE_DL_LIBS})
target_compile_options(alarmclock PRIVATE -Wall -Wextra -Wpedantic)

include(resources/resources.cmake)

add_executable(alarm-clock window/qt/main.cpp)
target_link_libraries(alarm-clock PRIVATE alarmclock)
# Relocations read-only and resolved at start, as Debian builds its programs.
target_link_options(alarm-clock PRIVATE -Wl,-z,relro -Wl,-z,now)
add_dependencies(alarm-clock alarm_wav alarm-clock-wake)

# The wake timer's holder, a program of its own so that the one privilege it
# needs, CAP_WAKE_ALARM given to its file, is never the window's. Built beside
# the program, where the program looks first.
add_executable(alarm-clock-wake alarm/linux/alarm-clock-wake.cpp)
target_compile_options(alarm-clock-wake PRIVATE -Wall -Wextra -Wpedantic)
# It needs the C library alone.
target_link_options(alarm-clock-wake PRIVATE -Wl,-z,relro -Wl,-z,now -Wl,--as-needed)

include(resources/install.cmake OPTIONAL)

include(CTest)
if(BUILD_TESTING)
    add_subdirectory(tests)
endif()
add_subdirectory(bench)
