# Key translation: pure functions from key notifications to the bytes a key sends.
add_library(zek_session_keys STATIC ${CMAKE_CURRENT_LIST_DIR}/KeyTranslator.cpp)
set_target_properties(zek_session_keys PROPERTIES AUTOMOC OFF)
target_include_directories(zek_session_keys PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_session_keys PUBLIC zek_screen_core Qt6::Core Qt6::Gui)
