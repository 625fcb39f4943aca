# The Qt part of the desktop program: controls, the main window, the Qt
# dialogs, the program file and its application folder.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
set(CMAKE_AUTOMOC ON)

add_library(corvina_gui STATIC
  controls/status_bar.cpp controls/status_bar.h
  controls/tab_button.cpp controls/tab_button.h
  controls/tab_button_menu.cpp controls/tab_button_menu.h
  controls/tab_button2.cpp controls/tab_button2.h
  controls/tab_menu.cpp controls/tab_menu.h
  controls/uc_firefox_wait.cpp controls/uc_firefox_wait.h
  controls/xp_progress_bar.cpp controls/xp_progress_bar.h
  platform/qt_platform.cpp
  shell/frm_main.cpp shell/frm_main.h
  shell/frm_main_actions.cpp
  shell/frm_main_bootloader_page.cpp
  shell/frm_main_columns.cpp
  shell/frm_main_language.cpp
  shell/frm_main_layout.cpp
  shell/frm_main_other_pages.cpp
  shell/frm_main_window.cpp
  shell/main_menu.cpp shell/main_menu.h
  shell/page_widgets.cpp shell/page_widgets.h
  app/snapshots.cpp)
target_link_libraries(corvina_gui PUBLIC corvina_core Qt6::Widgets)

add_executable(Corvina app/main.cpp)
target_link_libraries(Corvina PRIVATE corvina_gui)
set_target_properties(Corvina PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${APP_DIR})
# The application folder with the sub-folders the program expects.
add_custom_command(TARGET Corvina POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${APP_DIR}/Files ${APP_DIR}/plugins
          ${APP_DIR}/plugins/modules ${APP_DIR}/plugins/DecompressionFiles ${APP_DIR}/temp
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/README.md ${APP_DIR}/README.md)

add_executable(corvina_ui_tests
  tests/controls_test.cpp
  tests/startup_test.cpp
  tests/main_window_test.cpp
  tests/ui_test_main.cpp)
target_link_libraries(corvina_ui_tests PRIVATE corvina_gui corvina_testing GTest::gtest)
gtest_discover_tests(corvina_ui_tests TEST_PREFIX "corvina." PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
  DISCOVERY_MODE PRE_TEST)
