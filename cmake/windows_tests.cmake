# The unit suites built for Windows and run under Wine (ctest puts the
# emulator of the toolchain file in front of each test program). Each suite
# is one test: starting Wine per test case would cost more than the cases.
# The tests of the Linux and X11 backends stay out; the Windows backends have
# their own suite in tests/windows.

# GoogleTest from Debian's source package, built for the target.
set(TOLM_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for the target")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${TOLM_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(TOLM_TESTS_DIR ${CMAKE_CURRENT_SOURCE_DIR}/tests)

# Shared test files that need a POSIX system.
set(TOLM_POSIX_ONLY_TESTS
  services/debug_log_test.cpp
  services/environment_test.cpp
  services/pump_sleep_test.cpp
  services/show_mode_watchers_test.cpp
  services/desktop_modules_test.cpp
  services/host_table_test.cpp
  ui/switching_user_interface_test.cpp
  ui/editor_file_test.cpp
  ui/text_file_test.cpp)

add_library(tolm_test_support STATIC tests/support/windows/run_tolm.cpp)
target_include_directories(tolm_test_support PUBLIC ${TOLM_TESTS_DIR})
target_compile_options(tolm_test_support PRIVATE ${TOLM_WARNINGS})
target_link_libraries(tolm_test_support PUBLIC gtest)
# Wine shows the host's files on drive Z:.
target_compile_definitions(tolm_test_support PRIVATE TOLM_BINARY="Z:$<TARGET_FILE:tolm32>")

function(tolm_windows_test_suite name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS RELATIVE ${TOLM_TESTS_DIR} ${TOLM_TESTS_DIR}/${dir}/*.cpp)
  list(REMOVE_ITEM sources ${TOLM_POSIX_ONLY_TESTS})
  list(TRANSFORM sources PREPEND ${TOLM_TESTS_DIR}/)
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${TOLM_WARNINGS})
  target_include_directories(${name} PRIVATE ${TOLM_TESTS_DIR})
  # The few POSIX environment calls of the shared tests, for every file.
  target_compile_options(${name} PRIVATE -include ${TOLM_TESTS_DIR}/support/windows/posix_environment.h)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} tolm_test_support gtest gtest_main)
  target_compile_definitions(${name} PRIVATE
    TOLM_BINARY="Z:$<TARGET_FILE:tolm32>"
    TOLM_TEST_DATA="Z:${TOLM_TESTS_DIR}")
  add_test(NAME ${name} COMMAND ${name})
endfunction()

tolm_windows_test_suite(services_tests services DEPS tolm_services)
tolm_windows_test_suite(front_tests front DEPS tolm_front)
tolm_windows_test_suite(expr_tests expr DEPS tolm_front)
tolm_windows_test_suite(interp_tests interp DEPS tolm_interp)
tolm_windows_test_suite(ui_tests ui DEPS tolm_ui_core tolm_ui_console)

# The Windows backends, for real: the helper program they start and drive.
add_executable(tolm_winhelper tests/windows/helper/winhelper.cpp)
target_compile_options(tolm_winhelper PRIVATE ${TOLM_WARNINGS})
set_target_properties(tolm_winhelper PROPERTIES OUTPUT_NAME winhelper)
# A GUI program: a console program started by one would get a console (and
# under Wine a console host process) of its own each time.
target_link_options(tolm_winhelper PRIVATE -mwindows)
tolm_windows_test_suite(windows_tests windows DEPS tolm_services tolm_interp tolm_ui_core)
add_dependencies(windows_tests tolm_winhelper)
target_compile_definitions(windows_tests PRIVATE TOLM_WINHELPER="Z:$<TARGET_FILE:tolm_winhelper>")

# Command files run end to end by tolm32.exe.
tolm_windows_test_suite(windows_e2e_tests windows_e2e DEPS tolm_services)
add_dependencies(windows_e2e_tests tolm_winhelper tolm32)
target_compile_definitions(windows_e2e_tests PRIVATE TOLM_WINHELPER="Z:$<TARGET_FILE:tolm_winhelper>")
