# What an installation holds beside the program and its modules: the man
# page tolm32(1), the Vim files, the bash completion, the licence and the
# documentation beyond the README. A Debian package (cmake/package.cmake)
# replaces the licence by its copyright file.
include(GNUInstallDirs)

# Where an installation's modules (TOLM_MODULE_DIR, CMakeLists.txt) and
# documents are, for the man page.
set(TOLM_FULL_MODULE_DIR "${CMAKE_INSTALL_PREFIX}/${TOLM_MODULE_DIR}")
set(TOLM_DOC_DIR "${CMAKE_INSTALL_FULL_DOCDIR}")

# The man page, from its scdoc source, compressed as man expects it: built
# whenever scdoc is there (Debian's package "scdoc"; tools/setup.sh installs it).
find_program(TOLM_SCDOC scdoc)
find_program(TOLM_GZIP gzip)
if(TOLM_SCDOC AND TOLM_GZIP)
  set(page_source ${PROJECT_BINARY_DIR}/docs/tolm32.1.scd)
  set(TOLM_MAN_PAGE ${PROJECT_BINARY_DIR}/docs/tolm32.1.gz)
  configure_file(docs/tolm32.1.scd ${page_source} @ONLY)
  # The page carries the date of the release (the changelog's last entry), so
  # that building it again gives the same file.
  set(changelog ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
  file(STRINGS ${changelog} signature REGEX "^ -- " LIMIT_COUNT 1)
  string(REGEX REPLACE "^ -- [^>]*>  " "" release_date "${signature}")
  execute_process(COMMAND date -d "${release_date}" +%s
                  OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE date_failed)
  if(date_failed)
    message(FATAL_ERROR "packaging/debian/changelog: cannot read the date \"${release_date}\"")
  endif()
  add_custom_command(OUTPUT ${TOLM_MAN_PAGE}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_epoch}
            ${TOLM_SCDOC} < ${page_source} > ${PROJECT_BINARY_DIR}/docs/tolm32.1
    # -n: no name or time stamp inside, so the same page gives the same file.
    COMMAND ${TOLM_GZIP} -9nf ${PROJECT_BINARY_DIR}/docs/tolm32.1
    DEPENDS ${page_source}
    COMMENT "Man page tolm32(1)"
    VERBATIM)
  add_custom_target(tolm_man_page ALL DEPENDS ${TOLM_MAN_PAGE})
  install(FILES ${TOLM_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  if(TOLM_TESTS)
    # The page renders without a warning of man's formatter.
    add_test(NAME docs.man_page_renders
             COMMAND sh -c "out=$(MANWIDTH=80 man --warnings -l \"$1\" 2>&1 >/dev/null); [ -z \"$out\" ] || { echo \"$out\"; exit 1; }"
                     sh ${TOLM_MAN_PAGE})
  endif()
else()
  message(STATUS "scdoc or gzip not found: the man page tolm32(1) is not built")
endif()

# Editor support (editors/README.md).
install(FILES editors/vim/syntax/tolm.vim DESTINATION ${CMAKE_INSTALL_DATADIR}/vim/vimfiles/syntax)
install(FILES editors/vim/ftdetect/tolm.vim DESTINATION ${CMAKE_INSTALL_DATADIR}/vim/vimfiles/ftdetect)
install(FILES editors/bash-completion/tolm32 DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

install(FILES docs/troubleshooting.md docs/wayland.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(NOT TOLM_DEBIAN_PACKAGE)
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
