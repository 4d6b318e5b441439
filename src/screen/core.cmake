# Plain readers of a screen: link detection and marking.
target_sources(zek_screen_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LinkScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Selection.cpp)

# The interpreter's fills and byte widening only vectorise at -O3; it is the hot path
# of every received chunk.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ScreenModel.cpp PROPERTIES
  COMPILE_OPTIONS "$<$<NOT:$<CONFIG:Debug>>:-O3>")
