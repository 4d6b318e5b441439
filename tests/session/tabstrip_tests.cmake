find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(zek_tabstrip_tests ${CMAKE_CURRENT_LIST_DIR}/tabstrip_test.cpp)
target_link_libraries(zek_tabstrip_tests PRIVATE zek_tabstrip zek_test_main_gui Qt6::Test)
gtest_discover_tests(zek_tabstrip_tests DISCOVERY_TIMEOUT 60)
