# Addresses and telnet answers, plain.
add_executable(zek_address_tests ${CMAKE_CURRENT_LIST_DIR}/AddressTest.cpp)
set_target_properties(zek_address_tests PROPERTIES AUTOMOC OFF)
target_link_libraries(zek_address_tests PRIVATE zek_session_address zek_test_main)
gtest_discover_tests(zek_address_tests DISCOVERY_TIMEOUT 60)

# WebSocket and SSH sessions against servers on 127.0.0.1 in front of the test PTT host:
# a WebSocket gateway of our own, and Debian's sshd started in a temporary folder.
add_executable(zek_transport_tests
  ${CMAKE_CURRENT_LIST_DIR}/TcpTransportTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebSocketTransportTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SshTransportTest.cpp)
target_link_libraries(zek_transport_tests PRIVATE zek_session zek_fake_ptt_host zek_test_main_gui)
target_compile_definitions(zek_transport_tests PRIVATE ZEK_TCPBRIDGE="$<TARGET_FILE:zek_tcpbridge>"
                           ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
add_dependencies(zek_transport_tests zek_tcpbridge)
gtest_discover_tests(zek_transport_tests DISCOVERY_TIMEOUT 60)
