# The session control: socket, screen, keyboard, mouse, paste and wheel.
add_library(zek_session STATIC
  ${CMAKE_CURRENT_LIST_DIR}/axZEK.cpp
  ${CMAKE_CURRENT_LIST_DIR}/axZEK.h
  ${CMAKE_CURRENT_LIST_DIR}/CopyText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MarkedAddress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasteKeystrokes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SessionInput.cpp)
target_include_directories(zek_session PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_session PUBLIC zek_screen_view zek_session_keys zek_session_transports zek_app_core Qt6::Widgets Qt6::Network)
