# Addresses with schemes and telnet option handling: plain code, tested alone.
add_library(zek_session_address STATIC
  ${CMAKE_CURRENT_LIST_DIR}/BbsAddress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TelnetNegotiator.cpp)
set_target_properties(zek_session_address PROPERTIES AUTOMOC OFF)
target_include_directories(zek_session_address PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_session_address PUBLIC Qt6::Core)

# The connections a session runs over: raw TCP, SSH (libssh) and WebSocket.
find_package(Qt6 REQUIRED COMPONENTS WebSockets)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBSSH REQUIRED IMPORTED_TARGET libssh)
add_library(zek_session_transports STATIC
  ${CMAKE_CURRENT_LIST_DIR}/BbsTransport.h
  ${CMAKE_CURRENT_LIST_DIR}/TcpTransport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebSocketTransport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SshTransport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SshWorker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TransportFactory.cpp)
target_include_directories(zek_session_transports PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_session_transports PUBLIC zek_session_address zek_app_core Qt6::Network Qt6::WebSockets
                      PRIVATE PkgConfig::LIBSSH)
