# What the benchmarks share: the folder of recorded screens (as for the tests,
# ZEK_FIXTURES_DIR at configure time points elsewhere), the resident-memory reading and
# a main that starts a QApplication on the offscreen platform.
set(ZEK_BENCH_FIXTURES_DIR "$ENV{ZEK_FIXTURES_DIR}")
if(NOT ZEK_BENCH_FIXTURES_DIR)
  get_filename_component(ZEK_BENCH_FIXTURES_DIR "${PROJECT_SOURCE_DIR}/../shared/fixtures" ABSOLUTE)
endif()

add_library(zek_bench_gui_main STATIC ${CMAKE_CURRENT_LIST_DIR}/GuiBenchMain.cpp)
target_link_libraries(zek_bench_gui_main PUBLIC Qt6::Widgets benchmark::benchmark)
target_include_directories(zek_bench_gui_main PUBLIC ${CMAKE_CURRENT_LIST_DIR})
