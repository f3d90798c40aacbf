# The Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake): the
# platform-free core as on Linux, the Windows backends in services/windows,
# the console user interface; no X11 and no Qt. A few core files hold POSIX
# calls; each has a Windows counterpart that takes its place here.

find_package(Threads REQUIRED)

# Core files that the Windows counterparts below replace, and the judgement
# of runs for the Linux console program, which has no use here (one program,
# no hand-over).
set(TOLM_POSIX_ONLY
  services/debug_log.cpp
  services/environment.cpp
  services/pump_wait_readable.cpp
  interp/command_file.cpp
  interp/desktop_need.cpp
  ui/core/text_file_posix.cpp
  ui/console/console_input.cpp)
set(TOLM_WINDOWS_CORE
  services/windows/win_debug_log.cpp
  services/windows/win_environment.cpp
  services/windows/win_pump_wait_readable.cpp)

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
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  list(REMOVE_ITEM sources ${TOLM_POSIX_ONLY} ${ARG_EXCLUDE})
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TOLM_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

tolm_windows_library(tolm_services DIRS services EXTRA ${TOLM_WINDOWS_CORE} DEPS Threads::Threads)
tolm_windows_library(tolm_front DIRS front expr DEPS tolm_services)
include(cmake/tables.cmake)
tolm_windows_library(tolm_interp DIRS interp EXTRA interp/windows/command_file.cpp DEPS tolm_front tolm_services)
tolm_windows_library(tolm_ui_console DIRS ui/console EXTRA ui/console/windows/console_input.cpp DEPS tolm_services)
tolm_windows_library(tolm_ui_core DIRS ui/core EXTRA ui/core/windows/text_file.cpp
  DEPS tolm_interp tolm_front tolm_services)
# The Windows backends.
tolm_windows_library(tolm_windows DIRS services/windows EXCLUDE ${TOLM_WINDOWS_CORE} DEPS tolm_services ole32)

# A GUI program (-mwindows): no console window of its own opens when it is
# started from the desktop; --console uses the streams it was started with.
add_executable(tolm32 interp/windows/main.cpp)
target_compile_options(tolm32 PRIVATE ${TOLM_WARNINGS})
target_link_libraries(tolm32 PRIVATE tolm_interp tolm_ui_core tolm_ui_console tolm_windows ole32)
target_link_options(tolm32 PRIVATE -mwindows)

if(TOLM_TESTS)
  enable_testing()
  include(cmake/windows_tests.cmake)
endif()
