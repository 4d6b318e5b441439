# Screen drawing and session figures (full and row redraws, bytes to picture, memory).
set(_zek_session_bench_fixtures "$ENV{ZEK_FIXTURES_DIR}")
if(NOT _zek_session_bench_fixtures)
  get_filename_component(_zek_session_bench_fixtures "${PROJECT_SOURCE_DIR}/../shared/fixtures" ABSOLUTE)
endif()
add_executable(zek_session_bench ${CMAKE_CURRENT_LIST_DIR}/session_bench.cpp)
target_link_libraries(zek_session_bench PRIVATE zek_session zek_app_core benchmark::benchmark)
target_compile_definitions(zek_session_bench PRIVATE ZEK_FIXTURES_DIR="${_zek_session_bench_fixtures}")
