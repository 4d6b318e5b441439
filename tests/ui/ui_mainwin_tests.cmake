# Plain layout arithmetic and tab bookkeeping.
add_executable(zek_mainwin_core_tests
  ${CMAKE_CURRENT_LIST_DIR}/AddressTargetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutMathTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabTableTest.cpp)
target_link_libraries(zek_mainwin_core_tests PRIVATE zek_mainwin_core zek_test_main)
gtest_discover_tests(zek_mainwin_core_tests DISCOVERY_TIMEOUT 60)
