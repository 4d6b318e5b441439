# tcpbridge: standard input and output joined to a loopback TCP port (the SSH tests' sshd
# runs it to reach the test PTT host).
add_executable(zek_tcpbridge ${CMAKE_CURRENT_LIST_DIR}/tcpbridge.cpp)
set_target_properties(zek_tcpbridge PROPERTIES OUTPUT_NAME tcpbridge AUTOMOC OFF)
