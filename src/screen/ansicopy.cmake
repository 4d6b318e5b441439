# Colour copy of a marked stretch.
target_sources(zek_screen_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/AnsiCopy.cpp)
