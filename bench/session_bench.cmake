# Screen drawing and session figures (full and row redraws, bytes to picture, memory).
add_executable(zek_session_bench ${CMAKE_CURRENT_LIST_DIR}/session_bench.cpp)
target_link_libraries(zek_session_bench PRIVATE zek_session zek_app_core zek_bench_gui_main)
target_compile_definitions(zek_session_bench PRIVATE ZEK_FIXTURES_DIR="${ZEK_BENCH_FIXTURES_DIR}")
