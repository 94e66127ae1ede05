# Installing the game the way Debian lays out its games, and packing that installation into a .deb.
#
#   <prefix>/games/tarmelo3d                 the command: a launcher that starts the program from its data
#                                            (bin/ instead of games/ outside /usr and /usr/local)
#   <prefix>/lib/games/tarmelo3d/tarmelo3d   the program
#   <prefix>/share/games/tarmelo3d/          the game directory's data files, generated ones included
#   <prefix>/share/applications, metainfo, icons/hicolor, man/man6   the menu entry, the software-centre
#                                            entry, the icon (64, 128, 256 px), the manual page
#
# The launcher finds the program and the data relative to itself, so `DESTDIR=... cmake --install` gives a
# staged tree that runs where it stands; the menu entry and the manual page name the final paths.
include(GNUInstallDirs)

# The project has no web domain of its own yet: the reserved .example domain stands in for it in the
# desktop id, the home page and the maintainer's address.
set(TARMELO_APP_ID example.zur.tarmelo3d)
set(TARMELO_HOMEPAGE https://tarmelo3d.zur.example)
set(TARMELO_MAINTAINER "TARMELO 3D developers <tarmelo3d@zur.example>")

set(TARMELO_COMMAND_NAME tarmelo3d)
set(TARMELO_PROGRAM_NAME tarmelo3d)  # the executable of the game directory (target tarmelo3d)
set(TARMELO_ICON_NAME tarmelo3d)
# GLFW names the window's class after its title; docks match the window to the menu entry by it.
set(TARMELO_WINDOW_CLASS "TARMELO 3D")

if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" OR CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
    set(TARMELO_INSTALL_COMMANDDIR games)
else()
    set(TARMELO_INSTALL_COMMANDDIR ${CMAKE_INSTALL_BINDIR})
endif()
set(TARMELO_INSTALL_PROGRAMDIR lib/games/tarmelo3d)
set(TARMELO_INSTALL_DATADIR ${CMAKE_INSTALL_DATAROOTDIR}/games/tarmelo3d)
set(TARMELO_INSTALL_DESKTOPDIR ${CMAKE_INSTALL_DATAROOTDIR}/applications)
set(TARMELO_INSTALL_METAINFODIR ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
set(TARMELO_INSTALL_ICONDIR ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
set(TARMELO_INSTALL_MAN6DIR ${CMAKE_INSTALL_MANDIR}/man6)
set(TARMELO_FULL_COMMAND ${CMAKE_INSTALL_PREFIX}/${TARMELO_INSTALL_COMMANDDIR}/${TARMELO_COMMAND_NAME})
set(TARMELO_FULL_DATADIR ${CMAKE_INSTALL_PREFIX}/${TARMELO_INSTALL_DATADIR})
file(RELATIVE_PATH TARMELO_LAUNCHER_TO_DATA /${TARMELO_INSTALL_COMMANDDIR} /${TARMELO_INSTALL_DATADIR})
file(RELATIVE_PATH TARMELO_LAUNCHER_TO_PROGRAM /${TARMELO_INSTALL_COMMANDDIR}
     /${TARMELO_INSTALL_PROGRAMDIR}/${TARMELO_PROGRAM_NAME})

set(dist_source ${PROJECT_SOURCE_DIR}/dist)
set(dist_build ${CMAKE_BINARY_DIR}/dist)
configure_file(${dist_source}/tarmelo3d.sh.in ${dist_build}/${TARMELO_COMMAND_NAME} @ONLY)
configure_file(${dist_source}/tarmelo3d.desktop.in ${dist_build}/${TARMELO_APP_ID}.desktop @ONLY)
configure_file(${dist_source}/tarmelo3d.metainfo.xml.in ${dist_build}/${TARMELO_APP_ID}.metainfo.xml @ONLY)
configure_file(${dist_source}/tarmelo3d.6.in ${dist_build}/${TARMELO_COMMAND_NAME}.6 @ONLY)

# Debian ships manual pages compressed, without a time stamp in the header (-n) so that the package is the
# same on every build.
find_program(TARMELO_GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${dist_build}/${TARMELO_COMMAND_NAME}.6.gz
    COMMAND ${TARMELO_GZIP} -9nkf ${dist_build}/${TARMELO_COMMAND_NAME}.6
    DEPENDS ${dist_build}/${TARMELO_COMMAND_NAME}.6
    COMMENT "Manual page"
)
set(icon_files)
foreach(size 64 128 256)
    list(APPEND icon_files ${dist_build}/icons/${size}x${size}/apps/${TARMELO_ICON_NAME}.png)
endforeach()
add_custom_command(
    OUTPUT ${icon_files}
    COMMAND tarmelo_imagegen --icons ${dist_build}/icons ${TARMELO_ICON_NAME}
    DEPENDS tarmelo_imagegen
    COMMENT "Desktop icon: 64, 128 and 256 pixels"
)
add_custom_target(desktop_files ALL DEPENDS ${dist_build}/${TARMELO_COMMAND_NAME}.6.gz ${icon_files})

install(PROGRAMS ${dist_build}/${TARMELO_COMMAND_NAME} DESTINATION ${TARMELO_INSTALL_COMMANDDIR})
install(TARGETS tarmelo3d RUNTIME DESTINATION ${TARMELO_INSTALL_PROGRAMDIR})
# Every file of the game directory but the program: the data the build generated or copied there.
install(DIRECTORY ${TARMELO_GAME_DIR}/ DESTINATION ${TARMELO_INSTALL_DATADIR}
        PATTERN ${TARMELO_PROGRAM_NAME} EXCLUDE)
install(FILES ${dist_build}/${TARMELO_APP_ID}.desktop DESTINATION ${TARMELO_INSTALL_DESKTOPDIR})
install(FILES ${dist_build}/${TARMELO_APP_ID}.metainfo.xml DESTINATION ${TARMELO_INSTALL_METAINFODIR})
install(DIRECTORY ${dist_build}/icons/ DESTINATION ${TARMELO_INSTALL_ICONDIR})
install(FILES ${dist_build}/${TARMELO_COMMAND_NAME}.6.gz DESTINATION ${TARMELO_INSTALL_MAN6DIR})

# ---- Debian package: scripts/package.sh ----
# The package holds exactly the installation above, at the configured prefix (so the menu entry's paths
# hold). Its dependencies are the packages of the shared libraries the program links, found by
# dpkg-shlibdeps; nothing is listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarmelo3d)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "box-pushing puzzle game drawn in 3D")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "The keeper walks a walled grid and pushes crates onto goals, one at a time and never pulling. "
    "A solved level sinks its crates, fades to the logo and loads the next. Player profiles remember "
    "the level reached.")
set(CPACK_PACKAGE_CONTACT ${TARMELO_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TARMELO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
