# zek_server_bench: zek-server's requests per second and latency on loopback.
add_executable(zek_server_bench ${CMAKE_CURRENT_LIST_DIR}/server_bench.cpp)
set_target_properties(zek_server_bench PROPERTIES AUTOMOC OFF)
target_include_directories(zek_server_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/server)
target_link_libraries(zek_server_bench PRIVATE zek_server_core benchmark::benchmark)
target_compile_definitions(zek_server_bench PRIVATE ZEK_SERVER_BIN="$<TARGET_FILE:zek_server>")
add_dependencies(zek_server_bench zek_server)
