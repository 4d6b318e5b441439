# pttclassify: replays recorded screens and prints what classification makes of each.
add_executable(zek_pttclassify ${CMAKE_CURRENT_LIST_DIR}/pttclassify.cpp)
set_target_properties(zek_pttclassify PROPERTIES OUTPUT_NAME pttclassify AUTOMOC OFF)
target_link_libraries(zek_pttclassify PRIVATE zek_ptt zek_app_core zek_screen_core Qt6::Core)
