# Main window figures: opening a session tab to a drawn screen, switching tabs, and the
# program's memory with 1, 10 and 100 session tabs, all against a host on 127.0.0.1.
add_executable(zek_ui_bench ${CMAKE_CURRENT_LIST_DIR}/ui_mainwin_bench.cpp)
target_include_directories(zek_ui_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/ui ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(zek_ui_bench PRIVATE zek_ui zek_bench_gui_main Qt6::Network)
target_compile_definitions(zek_ui_bench PRIVATE ZEK_FIXTURES_DIR="${ZEK_BENCH_FIXTURES_DIR}"
                                               ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
