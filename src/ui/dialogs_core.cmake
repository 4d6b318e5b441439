# The dialogs' plain parts: quick connect's check, the share command's decision, and
# the bookmarks and recent-hosts files. QtCore only, tested without widgets.
add_library(zek_dialogs_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Bookmarks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bookmarks.h
  ${CMAKE_CURRENT_LIST_DIR}/QuickConnectInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuickConnectInput.h
  ${CMAKE_CURRENT_LIST_DIR}/RecentHosts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecentHosts.h
  ${CMAKE_CURRENT_LIST_DIR}/ShareRequest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShareRequest.h)
target_include_directories(zek_dialogs_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_dialogs_core PUBLIC zek_app_core Qt6::Core)
