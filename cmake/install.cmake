# Install rules (GNUInstallDirs) and the Debian package (CPack, `scripts/package`).
#
#   bin/                              velor580, velor580-cli, velor580-sim
#   share/velor580/                   580default.cfg, the INI template, language libraries, help/
#   share/applications/               velor580.desktop
#   share/icons/hicolor/*/apps/       velor580.svg, velor580.png (48 and 256)
#   share/metainfo/                   AppStream metadata
#   share/man/man1/                   manual pages (help2man, from each program's --help)
#   share/doc/velor580/               copyright, changelog, README
#   lib/udev/rules.d/                 the bridge's udev rule (with prefix /usr)
#
# The programs find share/velor580 relative to themselves, so the tree is relocatable. The
# benchmark is installed only as component "bench" (cmake --install --component bench), never in
# the package; the tests are not installed.
include(GNUInstallDirs)

set(VELOR_RELEASE_DATE 2026-12-10)
set(VELOR_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 00:00:00 +0000")
set(VELOR_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/velor580)
set(VELOR_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/velor580)
set(VELOR_PACKAGE_DIR ${CMAKE_SOURCE_DIR}/data/package)
set(VELOR_ICON_DIR ${CMAKE_SOURCE_DIR}/data/icons)
set(VELOR_GENERATED_DIR ${CMAKE_BINARY_DIR}/package)
set(VELOR_METAINFO_ID example.velor.Velor580)

install(TARGETS velor580 velor580-cli velor580-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS velor580-bench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT bench EXCLUDE_FROM_ALL)

# Shipped data: the runtime folder's files, the INI as the template each user's file starts from.
install(FILES ${CMAKE_SOURCE_DIR}/data/580default.cfg ${CMAKE_SOURCE_DIR}/data/velor580.INI
        ${velor_language_libraries} DESTINATION ${VELOR_DATA_INSTALL_DIR})
foreach(file IN LISTS VELOR_HELP_FILES)
    install(FILES ${CMAKE_SOURCE_DIR}/help/${file} DESTINATION ${VELOR_DATA_INSTALL_DIR}/help)
endforeach()
foreach(file IN LISTS VELOR_HELP_PICTURES)
    install(FILES ${CMAKE_SOURCE_DIR}/docs/${file} DESTINATION ${VELOR_DATA_INSTALL_DIR}/help)
endforeach()

# Desktop integration.
configure_file(${VELOR_PACKAGE_DIR}/velor580.metainfo.xml.in
               ${VELOR_GENERATED_DIR}/${VELOR_METAINFO_ID}.metainfo.xml @ONLY)
install(FILES ${VELOR_PACKAGE_DIR}/velor580.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELOR_GENERATED_DIR}/${VELOR_METAINFO_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELOR_ICON_DIR}/velor580.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
    install(FILES ${VELOR_ICON_DIR}/velor580-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME velor580.png)
endforeach()

# The udev rule belongs in lib/udev/rules.d under /usr whatever libdir the platform uses.
install(FILES ${CMAKE_SOURCE_DIR}/data/70-velor580.rules DESTINATION lib/udev/rules.d)

# Documentation: the Debian copyright file, the changelog (compressed, as Debian wants it).
configure_file(${VELOR_PACKAGE_DIR}/changelog.in ${VELOR_GENERATED_DIR}/changelog @ONLY)
find_program(VELOR_GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${VELOR_GENERATED_DIR}/changelog.gz
    COMMAND ${VELOR_GZIP} -9nf -k ${VELOR_GENERATED_DIR}/changelog
    DEPENDS ${VELOR_GENERATED_DIR}/changelog
    VERBATIM)
add_custom_target(velor_changelog ALL DEPENDS ${VELOR_GENERATED_DIR}/changelog.gz)
install(FILES ${VELOR_PACKAGE_DIR}/copyright ${VELOR_GENERATED_DIR}/changelog.gz
        DESTINATION ${VELOR_DOC_INSTALL_DIR})

# Manual pages from each program's --help and --version (both work without a display), so they
# always match the programs. Compressed with gzip -9n (no timestamp), as Debian wants them.
# Not in sanitizer builds: they are never installed, and the pages would run instrumented programs.
find_program(VELOR_HELP2MAN help2man)
if(VELOR_HELP2MAN AND NOT VELOR_SANITIZE)
    set(velor_man_pages)
    foreach(entry
            "velor580|configurator window for the model-580 alarm control device|"
            "velor580-cli|model-580 device operations from the command line|"
            "velor580-sim|simulated model-580 device on a pseudo-terminal|"
            "velor580-bench|transfer and codec timings against the simulated device|bench")
        string(REPLACE "|" ";" fields "${entry}")
        list(GET fields 0 program)
        list(GET fields 1 summary)
        list(GET fields 2 component)
        set(page ${VELOR_GENERATED_DIR}/man/${program}.1)
        add_custom_command(
            OUTPUT ${page}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${VELOR_GENERATED_DIR}/man
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen VELOR580_LANGUAGE=EN
                    ${VELOR_HELP2MAN} --no-info --no-discard-stderr --name=${summary}
                    --output=${page} $<TARGET_FILE:${program}>
            COMMAND ${VELOR_GZIP} -9nf ${page}
            DEPENDS ${program} velor_language_libraries
            COMMENT "Manual page ${program}.1"
            VERBATIM)
        list(APPEND velor_man_pages ${page}.gz)
        if(component)
            install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
                    COMPONENT ${component} EXCLUDE_FROM_ALL)
        else()
            install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
        endif()
    endforeach()
    add_custom_target(velor_man_pages ALL DEPENDS ${velor_man_pages})
else()
    message(STATUS "No manual pages (help2man missing, or a sanitizer build)")
endif()

# The Debian package: cpack -G DEB in the build folder, or scripts/package.
set(CPACK_PACKAGE_NAME velor580)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velor 580 configurator maintainers <support@velor.example>")
set(CPACK_PACKAGE_VENDOR Velor)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for the model-580 alarm control device")
# The extended description; CPack indents it and turns the empty line into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads, edits and writes the settings of the Velor model-580 stand-alone
alarm control device over its FTDI USB-serial bridge: alarm loops, relays,
open-collector outputs and Touch Memory keys. Keeps settings in .cfg files,
restores the factory settings, reads a key and replaces the firmware.

The package holds the window (velor580), the command-line tool
(velor580-cli) and a simulated device (velor580-sim) to try the program
without hardware. A udev rule gives the user at the seat access to the
device's bridge, with no dialout membership needed.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.velor.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs Qt's platform plugins (only recommended by the Qt library packages), the site
# book Qt SQL's SQLite driver (a plugin, which the library dependencies do not bring).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES /build /\\.git)
include(CPack)
