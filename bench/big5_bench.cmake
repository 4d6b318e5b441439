# Big5-UAO row text and encoding speed.
add_executable(zek_big5_bench ${CMAKE_CURRENT_LIST_DIR}/big5_bench.cpp)
set_target_properties(zek_big5_bench PROPERTIES AUTOMOC OFF)
target_link_libraries(zek_big5_bench PRIVATE zek_screen_core benchmark::benchmark)
