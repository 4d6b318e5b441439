# fakeptt: the test PTT host (tools/fakeptt) as a command, on 127.0.0.1 only.
include(${CMAKE_CURRENT_LIST_DIR}/fakeptt/fake_ptt_host.cmake)
add_executable(zek_fakeptt ${CMAKE_CURRENT_LIST_DIR}/fakeptt.cpp)
set_target_properties(zek_fakeptt PROPERTIES OUTPUT_NAME fakeptt AUTOMOC OFF)
target_link_libraries(zek_fakeptt PRIVATE zek_fake_ptt_host Qt6::Core)
