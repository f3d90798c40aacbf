# Run by CPack after it has made the package (CPACK_POST_BUILD_SCRIPTS in
# cmake/package.cmake). CPack gives every package that holds a shared object
# in a folder right below /usr/lib a postinst and a postrm that run ldconfig.
# Tolm's modules there (/usr/lib/tolm/*.so) are opened by their path and are
# no libraries of the search path, so the package is made again without those
# two scripts. Scripts that do anything else are an error; a package whose
# modules lie deeper (/usr/lib/<triplet>/tolm/) gets no such scripts, and
# this leaves it as it is.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(root ${CPACK_TOPLEVEL_DIRECTORY}/without-ldconfig)
  file(REMOVE_RECURSE ${root})
  execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${root} COMMAND_ERROR_IS_FATAL ANY)
  set(removed)
  foreach(script postinst postrm)
    set(path ${root}/DEBIAN/${script})
    if(NOT EXISTS ${path})
      continue()
    endif()
    file(READ ${path} text)
    # What is left without comments, "set -e", the test of the script's
    # argument and the ldconfig call.
    string(REGEX REPLACE "#[^\n]*|set -e|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then|ldconfig|fi|[ \t\n]" "" rest "${text}")
    if(NOT rest STREQUAL "")
      message(FATAL_ERROR "${deb}: the ${script} script does more than run ldconfig:\n${text}")
    endif()
    file(REMOVE ${path})
    list(APPEND removed ${script})
  endforeach()
  if(removed)
    execute_process(COMMAND dpkg-deb --root-owner-group --build ${root} ${deb}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    message(STATUS "${deb}: without CPack's ldconfig call in ${removed}")
  endif()
  file(REMOVE_RECURSE ${root})
endforeach()
