# zekterm HOST PORT: one session in a window, for trying a BBS and for screenshots.
add_executable(zek_zekterm ${CMAKE_CURRENT_LIST_DIR}/zekterm.cpp)
set_target_properties(zek_zekterm PROPERTIES OUTPUT_NAME zekterm)
target_link_libraries(zek_zekterm PRIVATE zek_session zek_app_core Qt6::Widgets)
