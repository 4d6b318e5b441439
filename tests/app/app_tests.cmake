# Application frame without widgets: INI files, settings, texts, numbers, deployment.
add_executable(zek_app_core_tests
  ${CMAKE_CURRENT_LIST_DIR}/DeploymentTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageTextsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericTextTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsTest.cpp)
target_link_libraries(zek_app_core_tests PRIVATE zek_app_core zek_test_main)
gtest_discover_tests(zek_app_core_tests DISCOVERY_TIMEOUT 60)
