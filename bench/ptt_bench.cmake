# zek_ptt_bench: classification of recorded PTT screens and Zek URL parsing.
add_executable(zek_ptt_bench ${CMAKE_CURRENT_LIST_DIR}/ptt_bench.cpp)
set_target_properties(zek_ptt_bench PROPERTIES AUTOMOC OFF)
target_link_libraries(zek_ptt_bench PRIVATE zek_ptt benchmark::benchmark)
get_filename_component(_zek_ptt_fixtures "${PROJECT_SOURCE_DIR}/../shared/fixtures" ABSOLUTE)
if(DEFINED ENV{ZEK_FIXTURES_DIR})
  set(_zek_ptt_fixtures "$ENV{ZEK_FIXTURES_DIR}")
endif()
target_compile_definitions(zek_ptt_bench PRIVATE ZEK_FIXTURES_DIR="${_zek_ptt_fixtures}"
                                                 ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
