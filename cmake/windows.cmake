# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The native Windows program: a Win32 window around the shared alarm core,
# statically linked and stripped, so that it needs nothing beside it but
# Windows and the bell.
enable_language(RC)

# Windows 10 (1607) or later: per-monitor DPI awareness and power requests.
add_compile_definitions(WINVER=0x0A00 _WIN32_WINNT=0x0A00 NOMINMAX WIN32_LEAN_AND_MEAN)

include(resources/generated.cmake)
find_program(ICOTOOL icotool REQUIRED)

# The icon at the sizes Windows asks for from 100 to 200 % (the notification
# area's and the title bar's 16, 20, 24, 32 px; the taskbar's and Alt+Tab's 32,
# 40, 48, 64 px; a missing size is scaled from the next one). All but the
# smallest are stored as PNG, which Windows reads at every size since Vista:
# a fifth of their bitmaps' bytes.
set(ALARM_CLOCK_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ALARM_CLOCK_ICON ${CMAKE_BINARY_DIR}/alarm-clock.ico)
set(icon_files)
set(icon_bitmaps)
set(icon_pngs)
foreach(size 16 20 24 32 40 48 64 256)
    set(png ${ALARM_CLOCK_ICON_DIR}/alarm-clock-${size}.png)
    alarm_clock_render_icon(${size} ${png})
    list(APPEND icon_files ${png})
    if(size EQUAL 16)
        list(APPEND icon_bitmaps ${png})
    else()
        list(APPEND icon_pngs -r ${png})
    endif()
endforeach()
add_custom_command(OUTPUT ${ALARM_CLOCK_ICON}
    COMMAND ${ICOTOOL} -c -o ${ALARM_CLOCK_ICON} ${icon_bitmaps} ${icon_pngs}
    DEPENDS ${icon_files}
    COMMENT "Packing the icon sizes into alarm-clock.ico")

# The resource script carries the project's version.
set(ALARM_CLOCK_RC ${CMAKE_BINARY_DIR}/alarm-clock.rc)
configure_file(resources/alarm-clock.rc.in ${ALARM_CLOCK_RC} @ONLY)
configure_file(resources/alarm-clock.exe.manifest ${CMAKE_BINARY_DIR}/alarm-clock.exe.manifest COPYONLY)
set_source_files_properties(${ALARM_CLOCK_RC} PROPERTIES
    INCLUDE_DIRECTORIES "${CMAKE_BINARY_DIR};${CMAKE_SOURCE_DIR}/resources"
    OBJECT_DEPENDS "${ALARM_CLOCK_ICON};${CMAKE_SOURCE_DIR}/resources/alarm-clock.exe.manifest;${CMAKE_SOURCE_DIR}/resources/ResourceIds.h")

# The default bell, made by the generator built for this machine, not for Windows.
find_program(HOST_CXX NAMES c++ g++ REQUIRED)
set(make_bell ${CMAKE_BINARY_DIR}/host/make_bell)
add_custom_command(OUTPUT ${make_bell}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${HOST_CXX} -std=c++20 -O2 -o ${make_bell} ${CMAKE_SOURCE_DIR}/resources/make_bell.cpp
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_bell.cpp
    COMMENT "Building the bell generator for this machine")
alarm_clock_make_bell(${make_bell})

file(GLOB alarm_clock_win32_sources CONFIGURE_DEPENDS window/win32/*.cpp alarm/win32/*.cpp tray/win32/*.cpp)
add_executable(alarm-clock WIN32 ${alarm_clock_win32_sources} ${ALARM_CLOCK_RC})
target_include_directories(alarm-clock PRIVATE window/win32 alarm/win32 tray/win32 resources)
target_compile_options(alarm-clock PRIVATE -Wall -Wextra -Wpedantic)
target_link_libraries(alarm-clock PRIVATE alarmcore comctl32 winmm ole32)
target_link_options(alarm-clock PRIVATE -static -static-libgcc -static-libstdc++ $<$<NOT:$<CONFIG:Debug>>:-s>)
# Small: optimized for size, and what nothing calls is left out. Nothing is
# thrown or caught (see AbortingRuntime.cpp), and nothing asks a type at run
# time: neither the unwinder nor type information is linked in.
target_compile_options(alarm-clock PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Os -ffunction-sections -fdata-sections -fno-rtti -fno-exceptions>)
target_compile_options(alarmcore PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Os -ffunction-sections -fdata-sections -fno-rtti -fno-exceptions>)
target_link_options(alarm-clock PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Wl,--gc-sections>)
add_dependencies(alarm-clock alarm_wav)

include(CTest)
if(BUILD_TESTING)
    include(tests/win32/tests.cmake OPTIONAL)
endif()
