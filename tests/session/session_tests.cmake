# The session control against a host on 127.0.0.1: data path, keys, mouse and helpers.
add_executable(zek_session_tests ${CMAKE_CURRENT_LIST_DIR}/session_test.cpp)
target_link_libraries(zek_session_tests PRIVATE zek_session zek_test_main_gui)
gtest_discover_tests(zek_session_tests DISCOVERY_TIMEOUT 60)

