# zek_ptt_bench: classification of recorded PTT screens and Zek URL parsing.
add_executable(zek_ptt_bench ${CMAKE_CURRENT_LIST_DIR}/ptt_bench.cpp)
set_target_properties(zek_ptt_bench PROPERTIES AUTOMOC OFF)
target_link_libraries(zek_ptt_bench PRIVATE zek_ptt benchmark::benchmark)
target_include_directories(zek_ptt_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/ptt ${PROJECT_SOURCE_DIR}/tests/support)
target_compile_definitions(zek_ptt_bench PRIVATE ZEK_FIXTURES_DIR="${ZEK_BENCH_FIXTURES_DIR}"
                                                 ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
