# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program as a desktop program: the executable, its menu entry,
# its icon in the hicolor theme, the default bell, its AppStream description,
# its manual page, its copyright and its changelog; `cpack` puts the same files
# into a Debian package.

install(TARGETS alarm-clock
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)
if(TARGET alarm-clock-wake)
    install(TARGETS alarm-clock-wake RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/alarm-clock)
endif()
# A stripped install (`cmake --install --strip`, and the package) also drops the
# compilers' notes, as Debian's own packages do.
if(UNIX AND NOT APPLE AND CMAKE_STRIP)
    foreach(executable IN ITEMS ${CMAKE_INSTALL_BINDIR}/alarm-clock ${CMAKE_INSTALL_LIBEXECDIR}/alarm-clock/alarm-clock-wake)
        install(CODE "if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${executable}\")
        endif()")
    endforeach()
endif()
# Found relative to the executable too (bin/../share/alarm-clock), so a staged
# or unpacked install rings without the compiled-in folder.
install(FILES ${ALARM_CLOCK_DEFAULT_WAV} DESTINATION ${CMAKE_INSTALL_DATADIR}/alarm-clock)

if(UNIX AND NOT APPLE)
    install(FILES resources/${ALARM_CLOCK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES resources/${ALARM_CLOCK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size IN LISTS ALARM_CLOCK_ICON_SIZES)
        install(FILES ${ALARM_CLOCK_ICON_DIR}/${size}/alarm-clock.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES resources/alarm-clock.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

    # The manual page and the changelog are installed compressed, as man and
    # Debian expect them; -n keeps the file's name and time out of the archive,
    # so that the same sources give the same package.
    find_program(GZIP gzip REQUIRED)
    set(gzipped)
    foreach(source IN ITEMS resources/alarm-clock.1 resources/debian/changelog)
        get_filename_component(name ${source} NAME)
        set(copy ${CMAKE_BINARY_DIR}/gzipped/${name})
        add_custom_command(OUTPUT ${copy}.gz
            COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${source} ${copy}
            COMMAND ${GZIP} -9nf ${copy}
            DEPENDS ${CMAKE_SOURCE_DIR}/${source}
            COMMENT "Compressing ${name}")
        list(APPEND gzipped ${copy}.gz)
    endforeach()
    add_custom_target(gzipped_docs ALL DEPENDS ${gzipped})
    install(FILES ${CMAKE_BINARY_DIR}/gzipped/alarm-clock.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # A native package's changelog is changelog.gz; the copyright is in the
    # machine-readable format Debian reads.
    install(FILES ${CMAKE_BINARY_DIR}/gzipped/changelog.gz resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

# The package installs under /usr: `make package` configures its own build with
# that prefix, so that the compiled-in data folder is where the package puts it.
set(CPACK_PACKAGE_NAME alarm-clock)
set(CPACK_PACKAGE_VENDOR "Alarm Clock developers")
set(CPACK_PACKAGE_DESCRIPTION "One small window shows the time of day and rings an alarm at the chosen\n\
time. Minimized, the program waits in the notification area.")
set(CPACK_PACKAGE_CONTACT "Alarm Clock developers <alarm-clock@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, out of shlibdeps' sight: Qt's X11 platform plugin, SDL2_mixer
# (opened at the first play), and a sound server for SDL to play through; and
# setcap, with which the postinst grants the wake timer's holder its capability.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libsdl2-mixer-2.0-0 (>= 2.6), libcap2-bin")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/resources/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
endif()
include(CPack)
