# The web services: answer parsers (pure) and the HTTP paths against servers on
# 127.0.0.1 (a scripted one for broken answers).
add_executable(zek_web_tests
  ${CMAKE_CURRENT_LIST_DIR}/LoopbackHttpServer.h
  ${CMAKE_CURRENT_LIST_DIR}/WebServiceHarness.h
  ${CMAKE_CURRENT_LIST_DIR}/ServiceAnswersTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebServicesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VersionCheckTest.cpp)
target_link_libraries(zek_web_tests PRIVATE zek_web zek_test_main Qt6::Network)
gtest_discover_tests(zek_web_tests DISCOVERY_TIMEOUT 60)
