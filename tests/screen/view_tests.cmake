# The screen widget: pixels of its picture, links and marking on recorded screens.
add_executable(zek_view_tests
  ${CMAKE_CURRENT_LIST_DIR}/view_test.cpp)
target_link_libraries(zek_view_tests PRIVATE zek_screen_view zek_test_main_gui)
target_include_directories(zek_view_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
gtest_discover_tests(zek_view_tests DISCOVERY_TIMEOUT 60)
