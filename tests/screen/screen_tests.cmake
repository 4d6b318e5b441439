# Interpreter, Big5, links and marking, with the recorded PTT screens.
add_executable(zek_screen_tests
  ${CMAKE_CURRENT_LIST_DIR}/ScreenModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FixtureReplayTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Big5Test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkScannerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectionTest.cpp)
target_link_libraries(zek_screen_tests PRIVATE zek_screen_core zek_test_main)
gtest_discover_tests(zek_screen_tests DISCOVERY_TIMEOUT 60)
