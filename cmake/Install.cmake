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
# staged tree that runs where it stands; the menu entry and the manual page name the final paths. The files
# that name a folder of the installation (the launcher, the menu entry, the manual page) are written at
# install time, so they follow a prefix given then (`cmake --install build --prefix DIR`) as well as the
# one chosen when configuring.
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

set(TARMELO_INSTALL_PROGRAMDIR lib/games/tarmelo3d)
set(TARMELO_INSTALL_DATADIR ${CMAKE_INSTALL_DATAROOTDIR}/games/tarmelo3d)
set(TARMELO_INSTALL_DESKTOPDIR ${CMAKE_INSTALL_DATAROOTDIR}/applications)
set(TARMELO_INSTALL_METAINFODIR ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
set(TARMELO_INSTALL_ICONDIR ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
set(TARMELO_INSTALL_MAN6DIR ${CMAKE_INSTALL_MANDIR}/man6)

set(TARMELO_DIST_SOURCE ${PROJECT_SOURCE_DIR}/dist)
set(TARMELO_DIST_BUILD ${CMAKE_BINARY_DIR}/dist)
configure_file(${TARMELO_DIST_SOURCE}/tarmelo3d.metainfo.xml.in
               ${TARMELO_DIST_BUILD}/${TARMELO_APP_ID}.metainfo.xml @ONLY)
find_program(TARMELO_GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/cmake/InstallPrefixFiles.cmake.in
               ${TARMELO_DIST_BUILD}/install_prefix_files.cmake @ONLY)

set(icon_files)
foreach(size 64 128 256)
    list(APPEND icon_files ${TARMELO_DIST_BUILD}/icons/${size}x${size}/apps/${TARMELO_ICON_NAME}.png)
endforeach()
add_custom_command(
    OUTPUT ${icon_files}
    COMMAND tarmelo_imagegen --icons ${TARMELO_DIST_BUILD}/icons ${TARMELO_ICON_NAME}
    DEPENDS tarmelo_imagegen
    COMMENT "Desktop icon: 64, 128 and 256 pixels"
)
add_custom_target(desktop_files ALL DEPENDS ${icon_files})

install(SCRIPT ${TARMELO_DIST_BUILD}/install_prefix_files.cmake)
install(TARGETS tarmelo3d RUNTIME DESTINATION ${TARMELO_INSTALL_PROGRAMDIR})
# Every file of the game directory but the program: the data the build generated or copied there.
install(DIRECTORY ${TARMELO_GAME_DIR}/ DESTINATION ${TARMELO_INSTALL_DATADIR}
        PATTERN ${TARMELO_PROGRAM_NAME} EXCLUDE)
install(FILES ${TARMELO_DIST_BUILD}/${TARMELO_APP_ID}.metainfo.xml DESTINATION ${TARMELO_INSTALL_METAINFODIR})
install(DIRECTORY ${TARMELO_DIST_BUILD}/icons/ DESTINATION ${TARMELO_INSTALL_ICONDIR})

# ---- Debian package: scripts/package.sh ----
# The package holds exactly the installation above, at the configured prefix. CPack stages it through
# DESTDIR rather than a prefix of its own, so that the menu entry and the manual page name the folders the
# package installs to, not the staging folder. Its dependencies are the packages of the shared libraries
# the program links, found by dpkg-shlibdeps; nothing is listed by hand.
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
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TARMELO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
