# The KDE Plasma desktop (KWin on Wayland), Linux only; included once from the
# top-level CMakeLists.txt after the Wayland backend, whose protocol rule and
# connection it uses.
#
# KWin lets a program use its fake input (our keystrokes) only when an
# installed .desktop file names the program's executable in Exec= and asks
# for the interface in X-KDE-Wayland-Interfaces. cmake --install writes that
# file, share/applications/tolm32-kde.desktop (beside the file association
# tolm32.desktop of ui/qt, whose Exec= is no absolute path), with the absolute path of the
# installed program that connects to KWin (TOLM_KDE_PROGRAM, relative to the
# prefix); KDE's service cache takes it once kbuildsycoca5 has run as the
# session's user.
add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/../dbus ${PROJECT_BINARY_DIR}/services/desktop/dbus)
add_subdirectory(${CMAKE_CURRENT_LIST_DIR} ${PROJECT_BINARY_DIR}/services/desktop/kde)

# Not a cache entry: the program is always bin/tolm32, and a cached value
# would outlive a change of the layout in an existing build folder.
set(TOLM_KDE_PROGRAM "${CMAKE_INSTALL_BINDIR}/tolm32")
set(TOLM_KDE_DESKTOP_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/tolm32-kde.desktop.in CACHE INTERNAL "")

# tolm_kde_desktop_entry(<output> <exec>): the same file for another
# executable (exec may be a generator expression), for the tests.
function(tolm_kde_desktop_entry output exec)
  file(READ ${TOLM_KDE_DESKTOP_TEMPLATE} text)
  string(REPLACE "@EXEC@" "${exec}" text "${text}")
  file(GENERATE OUTPUT ${output} CONTENT "${text}")
endfunction()

install(CODE "
  get_filename_component(prefix \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
  set(exec \"\${prefix}/${TOLM_KDE_PROGRAM}\")
  if(exec MATCHES \"[\\\"`$\\\\\\\\]\")
    message(FATAL_ERROR \"tolm32-kde.desktop: the program's path \${exec} holds a character Exec= cannot carry\")
  endif()
  if(exec MATCHES \" \")
    set(exec \"\\\"\${exec}\\\"\")
  endif()
  file(READ \"${TOLM_KDE_DESKTOP_TEMPLATE}\" text)
  string(REPLACE \"@EXEC@\" \"\${exec}\" text \"\${text}\")
  set(dir \"\$ENV{DESTDIR}\${prefix}/share/applications\")
  file(MAKE_DIRECTORY \"\${dir}\")
  file(WRITE \"\${dir}/tolm32-kde.desktop\" \"\${text}\")
  message(STATUS \"Installing: \${dir}/tolm32-kde.desktop (KDE Plasma: run kbuildsycoca5 as the session's user)\")
")
