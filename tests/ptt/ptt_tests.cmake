# Tests of PTT recognition, address records, Zek URLs and the test PTT host.
add_executable(zek_ptt_tests
  ${CMAKE_CURRENT_LIST_DIR}/AddressPoolTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AutoNavigationTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClassificationOrderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClassificationReplayTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakePttHostTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenZekUrlTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageKeyTableTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PttTextComponentTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZekUrlSafetyTest.cpp
)
target_link_libraries(zek_ptt_tests PRIVATE zek_ptt zek_fake_ptt_host zek_test_main Qt6::Network)
target_compile_definitions(zek_ptt_tests PRIVATE ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
gtest_discover_tests(zek_ptt_tests DISCOVERY_TIMEOUT 60)

# pttclassify's output is a format others rely on: one JSON line per file, keys in order.
add_test(NAME pttclassify_reports_each_file
  COMMAND zek_pttclassify --chunk 3 --languages ${PROJECT_SOURCE_DIR}/data/languages.ini
          ${ZEK_FIXTURES_DIR}/ptt/08_main_menu.bin ${ZEK_FIXTURES_DIR}/ptt/10_select_board_prompt.bin
          ${ZEK_FIXTURES_DIR}/ptt/11_board_article_list.bin)
set_tests_properties(pttclassify_reports_each_file PROPERTIES PASS_REGULAR_EXPRESSION
  "\"Position\":1,\"AlreadyLogon\":true,[^\n]*\n[^\n]*\"Position\":0,[^\n]*\"CanUseZEKURL\":true,[^\n]*\n{\"file\":\"[^\"]*11_board_article_list.bin\",\"Position\":2,\"AlreadyLogon\":true,\"AutoDelay\":false,\"AutoReply\":false,\"CanUseZEKURL\":true,\"BoardName\":\"Test\",\"ArticleAuthor\":\"\",\"ArticleTitle\":\"\",\"ArticleTime\":\"\",\"ArticleAID\":\"\",\"LongURL\":\"http://zek.tw/[?]cmd=pas:BBS=ptt.cc&Board=Test\",\"ErrorInfo\":\"\"}")
add_test(NAME pttclassify_names_a_missing_file COMMAND zek_pttclassify /nonexistent/screen.bin)
set_tests_properties(pttclassify_names_a_missing_file PROPERTIES WILL_FAIL TRUE)

# Instant messages: recognition and the alerts (their logic is plain, built here alone).
add_executable(zek_waterball_tests
  ${CMAKE_CURRENT_LIST_DIR}/WaterBallTest.cpp
  ${PROJECT_SOURCE_DIR}/src/ui/WaterBallAlerts.cpp)
target_link_libraries(zek_waterball_tests PRIVATE zek_ptt zek_fake_ptt_host zek_test_main)
gtest_discover_tests(zek_waterball_tests DISCOVERY_TIMEOUT 60)
