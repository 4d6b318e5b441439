# screendump: feeds recorded bytes through the interpreter and prints the screen.
add_executable(zek_screendump ${CMAKE_CURRENT_LIST_DIR}/screendump.cpp)
set_target_properties(zek_screendump PROPERTIES OUTPUT_NAME screendump AUTOMOC OFF)
target_link_libraries(zek_screendump PRIVATE zek_screen_core)
