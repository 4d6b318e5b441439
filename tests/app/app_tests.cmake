# Application frame without widgets: INI files, settings, texts, numbers, deployment.
add_executable(zek_app_core_tests
  ${CMAKE_CURRENT_LIST_DIR}/DeploymentTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageTextsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericTextTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PreferencesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SingleInstanceLockTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TerminationSignalsTest.cpp)
target_link_libraries(zek_app_core_tests PRIVATE zek_app_core zek_test_main)
gtest_discover_tests(zek_app_core_tests DISCOVERY_TIMEOUT 60)

# Start-up and shutdown, in process (MainModule with a recording message interface) and
# as the built zek program in a child process; the shipped texts.
add_executable(zek_startup_tests
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartupTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartupFolder.h)
target_link_libraries(zek_startup_tests PRIVATE zek_startup zek_test_main_gui)
target_compile_definitions(zek_startup_tests PRIVATE
  ZEK_EXECUTABLE="$<TARGET_FILE:zek>"
  ZEK_SHIPPED_LANGUAGES="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/languages.ini")
add_dependencies(zek_startup_tests zek zek_languages)
# These start the whole program, whose start page loads Qt WebEngine: under
# AddressSanitizer the engine's own wrongly sized deletes are not reported (see
# tests/ui/ui_mainwin_widget_tests.cmake).
gtest_discover_tests(zek_startup_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append:::new_delete_type_mismatch=0")
