# The GNOME desktop (gnome-shell on Wayland), Linux only; included once from
# the top-level CMakeLists.txt after the KDE desktop, whose D-Bus layer and
# layout table it uses.
#
# cmake --install puts our GNOME Shell extension in
# share/gnome-shell/extensions/<uuid>/, where GNOME Shell finds it when that
# share folder is in the session's XDG_DATA_DIRS (/usr/share and
# /usr/local/share are by default). The user enables it (gnome-extensions
# enable <uuid>, after a new login once on Wayland); tolm32 never does.
if(NOT TARGET tolm_dbus)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/../dbus ${PROJECT_BINARY_DIR}/services/desktop/dbus)
endif()
add_subdirectory(${CMAKE_CURRENT_LIST_DIR} ${PROJECT_BINARY_DIR}/services/desktop/gnome)

# The uuid is also kExtensionUuid (extension_status.h) and the uuid of metadata.json.
set(TOLM_GNOME_EXTENSION_UUID tolm@tolm.example)
set(TOLM_GNOME_EXTENSION_DIR ${CMAKE_CURRENT_LIST_DIR}/extension CACHE INTERNAL "")
install(FILES ${TOLM_GNOME_EXTENSION_DIR}/metadata.json ${TOLM_GNOME_EXTENSION_DIR}/extension.js
  DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions/${TOLM_GNOME_EXTENSION_UUID})
install(CODE "message(STATUS \"GNOME on Wayland: log out and in again once, then run gnome-extensions enable ${TOLM_GNOME_EXTENSION_UUID}\")")
