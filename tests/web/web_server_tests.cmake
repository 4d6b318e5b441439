# The web services against the real zek-server, started by the tests on 127.0.0.1.
if(EXISTS ${PROJECT_SOURCE_DIR}/server/CMakeLists.txt)
  add_executable(zek_web_server_tests ${CMAKE_CURRENT_LIST_DIR}/RealServerTest.cpp)
  target_include_directories(zek_web_server_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/server)
  target_link_libraries(zek_web_server_tests PRIVATE zek_web zek_test_main Qt6::Network)
  target_compile_definitions(zek_web_server_tests PRIVATE ZEK_SERVER_BIN="$<TARGET_FILE:zek_server>")
  add_dependencies(zek_web_server_tests zek_server)
  gtest_discover_tests(zek_web_server_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endif()
