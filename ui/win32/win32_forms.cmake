# The native Windows forms (included by the Windows build): message boxes,
# dialogs from the templates in forms.rc, the command file editor. The
# templates are compiled into every program that links the forms (an
# interface source), since a resource in a static library is never pulled in.
enable_language(RC)

file(GLOB TOLM_WIN32_FORMS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/win32/*.cpp)
add_library(tolm_ui_win32 STATIC ${TOLM_WIN32_FORMS})
target_include_directories(tolm_ui_win32 PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(tolm_ui_win32 PRIVATE ${TOLM_WARNINGS})
target_sources(tolm_ui_win32 INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/ui/win32/forms.rc)
target_link_libraries(tolm_ui_win32 PUBLIC tolm_ui_core tolm_services comctl32 comdlg32)

target_link_libraries(tolm32 PRIVATE tolm_ui_win32)

if(TOLM_TESTS)
  # The form tests show real windows under Wine, so they need a display
  # (label x11, as the Linux display tests): tools/with-xvfb.sh --wm ctest.
  tolm_windows_test_suite(win32_forms_tests win32 DEPS tolm_ui_win32)
  set_tests_properties(win32_forms_tests PROPERTIES LABELS x11)
endif()
