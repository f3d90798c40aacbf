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

# The program's icon: the drawing of the Qt windows (ui/qt/icons/tolm32.svg)
# drawn into an icon file by tools/make-icon.py, in a folder of its own that
# only the resource compiler searches.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(TOLM_ICON_DIR ${CMAKE_BINARY_DIR}/program-icon)
set(TOLM_ICON_FILE ${TOLM_ICON_DIR}/tolm32.ico)
add_custom_command(OUTPUT ${TOLM_ICON_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TOLM_ICON_DIR}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tools/make-icon.py
          ${CMAKE_CURRENT_SOURCE_DIR}/ui/qt/icons/tolm32.svg ${TOLM_ICON_FILE}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/make-icon.py ${CMAKE_CURRENT_SOURCE_DIR}/ui/qt/icons/tolm32.svg
  COMMENT "Drawing the program icon")
add_custom_target(tolm_program_icon DEPENDS ${TOLM_ICON_FILE})
add_dependencies(tolm_ui_win32 tolm_program_icon)
target_include_directories(tolm_ui_win32 INTERFACE $<$<COMPILE_LANGUAGE:RC>:${TOLM_ICON_DIR}>)
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/ui/win32/forms.rc PROPERTIES OBJECT_DEPENDS ${TOLM_ICON_FILE})

target_link_libraries(tolm32 PRIVATE tolm_ui_win32)

if(TOLM_TESTS)
  # The form tests show real windows under Wine, so they need a display
  # (label x11, as the Linux display tests): tools/with-xvfb.sh --wm ctest.
  tolm_windows_test_suite(win32_forms_tests win32 DEPS tolm_ui_win32)
  set_tests_properties(win32_forms_tests PROPERTIES LABELS x11)
endif()
