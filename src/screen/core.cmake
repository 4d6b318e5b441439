# Plain readers of a screen: link detection and marking.
target_sources(zek_screen_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LinkScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Selection.cpp)
