# Zek URL to article on the test PTT host: time to the last key sent and to the article drawn.
add_executable(zek_zekurl_bench ${CMAKE_CURRENT_LIST_DIR}/zekurl_bench.cpp)
target_include_directories(zek_zekurl_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/ui ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(zek_zekurl_bench PRIVATE zek_ui zek_fake_ptt_host zek_bench_gui_main Qt6::Network)
target_compile_definitions(zek_zekurl_bench PRIVATE ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
