# dialogshots FOLDER: pictures of the link, quick-connect and version dialogs in their
# states, for the docs (run under xvfb-run or with QT_QPA_PLATFORM=offscreen).
add_executable(zek_dialogshots ${CMAKE_CURRENT_LIST_DIR}/dialogshots.cpp)
set_target_properties(zek_dialogshots PROPERTIES OUTPUT_NAME dialogshots)
target_link_libraries(zek_dialogshots PRIVATE zek_ui Qt6::Widgets)
add_dependencies(zek_dialogshots zek_languages)
