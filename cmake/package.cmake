# The Debian package of Tolm, made by CPack's DEB generator: tools/package.sh
# configures with -DTOLM_DEBIAN_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr
# -DCMAKE_INSTALL_LIBDIR=lib/<multiarch> and runs cpack. Its files are the installation (cmake --install) plus what
# Debian wants of every package: the copyright file and the changelog under
# /usr/share/doc/tolm, and the lintian overrides with their reasons.
option(TOLM_DEBIAN_PACKAGE "Install the files of the Debian package (copyright, changelog, lintian overrides)" OFF)

include(cmake/install_extras.cmake)

if(TOLM_DEBIAN_PACKAGE)
  set(debian ${PROJECT_SOURCE_DIR}/packaging/debian)
  install(FILES ${debian}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # The changelog as Debian keeps it: compressed, with no name or time in the gzip header.
  set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND sh -c "gzip -9nc < \"$1\" > \"$2\"" sh ${debian}/changelog ${changelog}
    DEPENDS ${debian}/changelog
    VERBATIM)
  add_custom_target(tolm_debian_changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${debian}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tolm)
endif()

# Files as Debian wants them: directories 755, files 644 or 755, owned by root.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolm)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tolm developers")
set(CPACK_PACKAGE_CONTACT "The Tolm developers <tolm@tolm.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop automation with command files for X11 and Wayland")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tolm runs command files (.tm) that start programs and wait for them, wait
for a window and bring it forward, type keys into it, close it, end programs
by name, and branch and loop on conditions. A command that fails is reported
with its text, and a dry run traces the commands instead of running them.

Window and key commands work on X11 desktops and on wlroots Wayland
compositors (sway, Hyprland, labwc); on GNOME and KDE they reach the
programs that run through Xwayland. The package holds the program tolm32,
its command file editor (Qt 6), a man page, examples, Vim syntax
highlighting and bash completion.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tolm.example.org")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the libraries the program and its modules link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The modules are not libraries on the search path: no shlibs file and no
# ldconfig call for them. (CPack would add one for shared objects in a folder
# right below /usr/lib; the modules lie in /usr/lib/<multiarch>/tolm/.)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY tolm)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
include(CPack)
