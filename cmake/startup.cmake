# A fast start: start-up code and data in few pages. A run of one command
# calls about a hundred and fifty functions spread over the whole program;
# each page of them it touches first is a page fault, and on a virtual
# machine a fault costs as much as thousands of instructions. Every function
# and variable gets a section of its own, and gold places the ones a start-up
# touches (cmake/startup-order.txt, from tools/startup_order.py) next to each
# other.
#
# tolm_order_startup(target) applies it to a program; without gold, or in a
# sanitizer or fuzzing build, the program is linked as before.
include(CheckLinkerFlag)

set(TOLM_STARTUP_ORDER OFF)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT TOLM_SANITIZE AND NOT TOLM_FUZZ)
  check_linker_flag(CXX "-fuse-ld=gold" TOLM_HAVE_GOLD)
  if(TOLM_HAVE_GOLD)
    set(TOLM_STARTUP_ORDER ON)
  endif()
endif()

if(TOLM_STARTUP_ORDER)
  add_compile_options(-ffunction-sections -fdata-sections)

  # gold orders input sections by name: a symbol's code or data is in the
  # section of its kind followed by its name.
  set(order_source ${CMAKE_CURRENT_SOURCE_DIR}/cmake/startup-order.txt)
  set(TOLM_STARTUP_SECTIONS ${CMAKE_CURRENT_BINARY_DIR}/startup-sections.txt)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${order_source})
  file(STRINGS ${order_source} order_symbols REGEX "^[^#]")
  set(sections "")
  foreach(prefix .text. .text.startup. .text.hot.)
    foreach(symbol IN LISTS order_symbols)
      string(APPEND sections "${prefix}${symbol}\n")
    endforeach()
  endforeach()
  foreach(symbol IN LISTS order_symbols)
    foreach(prefix .rodata. .data.rel.ro.local. .data.rel.ro. .data. .bss. .tbss.)
      string(APPEND sections "${prefix}${symbol}\n")
    endforeach()
  endforeach()
  file(WRITE ${TOLM_STARTUP_SECTIONS}.new "${sections}")
  file(COPY_FILE ${TOLM_STARTUP_SECTIONS}.new ${TOLM_STARTUP_SECTIONS} ONLY_IF_DIFFERENT)
endif()

function(tolm_order_startup target)
  if(TOLM_STARTUP_ORDER)
    target_link_options(${target} PRIVATE -fuse-ld=gold "LINKER:--section-ordering-file=${TOLM_STARTUP_SECTIONS}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${TOLM_STARTUP_SECTIONS})
  endif()
endfunction()
