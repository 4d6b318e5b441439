# The tab strip and its image button: plain widgets, no session inside.
add_library(zek_tabstrip STATIC
  ${CMAKE_CURRENT_LIST_DIR}/axImgButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/axItem.cpp)
target_include_directories(zek_tabstrip PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_tabstrip PUBLIC Qt6::Widgets)
