# zek_app_bench: languages.ini parsing, text lookups, settings read and write.
add_executable(zek_app_bench ${CMAKE_CURRENT_LIST_DIR}/app_bench.cpp)
set_target_properties(zek_app_bench PROPERTIES AUTOMOC OFF)
target_link_libraries(zek_app_bench PRIVATE zek_app_core benchmark::benchmark)
target_compile_definitions(zek_app_bench PRIVATE ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
