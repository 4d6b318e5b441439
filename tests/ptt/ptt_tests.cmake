# Tests of PTT recognition, address records, Zek URLs and the test PTT host.
add_executable(zek_ptt_tests
  ${CMAKE_CURRENT_LIST_DIR}/AddressPoolTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClassificationOrderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClassificationReplayTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakePttHostTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenZekUrlTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageKeyTableTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PttTextComponentTest.cpp
)
target_link_libraries(zek_ptt_tests PRIVATE zek_ptt zek_fake_ptt_host zek_test_main Qt6::Network)
target_compile_definitions(zek_ptt_tests PRIVATE ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
gtest_discover_tests(zek_ptt_tests DISCOVERY_TIMEOUT 60)
