# The screen control and what it draws with (Qt Widgets).
add_library(zek_screen_view STATIC
  ${CMAKE_CURRENT_LIST_DIR}/axZekScreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/axZekScreen.h
  ${CMAKE_CURRENT_LIST_DIR}/CellGeometry.h
  ${CMAKE_CURRENT_LIST_DIR}/LinkTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenPainter.cpp)
target_include_directories(zek_screen_view PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_screen_view PUBLIC zek_screen_core Qt6::Widgets)
