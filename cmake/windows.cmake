# The Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake): the
# platform-free core and seams as on Linux, with the Windows variants and
# backends of services/platform/windows in place of the POSIX and Linux ones;
# the console user interface and the Win32 forms; no modules, no X11, no Qt.

find_package(Threads REQUIRED)

# Windows 7 and later; <windows.h> without min/max macros and rarely used parts.
add_compile_definitions(_WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)

# The runtime (libgcc, libstdc++, winpthread) is linked in whole, so the
# program needs nothing but the DLLs of Windows itself.
add_link_options(-static)

function(tolm_windows_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;EXTRA;EXCLUDE;DEPS" ${ARGN})
  set(sources ${ARG_EXTRA})
  foreach(dir ${ARG_DIRS})
    file(GLOB found CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$|/program_setup\\.cpp$")
  if(ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${ARG_EXCLUDE})
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TOLM_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# The services with every Windows variant and backend in one library: the
# variants (debug log, environment, files, console input) and the backends
# call each other both ways.
tolm_windows_library(tolm_services DIRS services/core services/seams services/platform/windows DEPS Threads::Threads ole32)
add_library(tolm_core ALIAS tolm_services)
tolm_windows_library(tolm_front DIRS front expr DEPS tolm_services)
include(cmake/tables.cmake)
tolm_windows_library(tolm_interp DIRS interp DEPS tolm_front tolm_services)
tolm_windows_library(tolm_ui_console DIRS ui/console DEPS tolm_services)
tolm_windows_library(tolm_ui_core DIRS ui/core DEPS tolm_interp tolm_front tolm_services)

# A GUI program (-mwindows): no console window of its own opens when it is
# started from the desktop; --console uses the streams it was started with.
add_executable(tolm32 interp/main.cpp services/platform/windows/program_setup.cpp)
target_compile_options(tolm32 PRIVATE ${TOLM_WARNINGS})
target_link_libraries(tolm32 PRIVATE tolm_interp tolm_ui_core tolm_ui_console tolm_services)
target_link_options(tolm32 PRIVATE -mwindows)

if(TOLM_TESTS)
  enable_testing()
  include(cmake/windows_tests.cmake)
endif()
