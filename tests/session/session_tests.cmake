# The session control against a host on 127.0.0.1: data path, keys, mouse and helpers.
add_executable(zek_session_tests ${CMAKE_CURRENT_LIST_DIR}/session_test.cpp)
target_link_libraries(zek_session_tests PRIVATE zek_session zek_test_main_gui)
gtest_discover_tests(zek_session_tests DISCOVERY_TIMEOUT 60)

# The data path under floods, modal boxes and hosts that go away mid-sequence.
add_executable(zek_session_stress_tests ${CMAKE_CURRENT_LIST_DIR}/SessionStressTest.cpp)
target_link_libraries(zek_session_stress_tests PRIVATE zek_session zek_test_main_gui)
gtest_discover_tests(zek_session_stress_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS stress)
