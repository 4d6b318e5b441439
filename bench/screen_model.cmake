# Interpreter throughput on generated PTT traffic.
add_executable(zek_screen_model_bench ${CMAKE_CURRENT_LIST_DIR}/screen_model_bench.cpp)
set_target_properties(zek_screen_model_bench PROPERTIES AUTOMOC OFF)
target_link_libraries(zek_screen_model_bench PRIVATE zek_screen_core benchmark::benchmark)
