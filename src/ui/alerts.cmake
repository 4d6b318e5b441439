# Instant-message alerts: the desktop's notifications (D-Bus) for sessions behind others.
find_package(Qt6 REQUIRED COMPONENTS DBus)
if(NOT TARGET zek_ui)
  add_library(zek_ui STATIC)
endif()
target_sources(zek_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DesktopNotifier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopNotifier.h
  ${CMAKE_CURRENT_LIST_DIR}/Notifier.h
  ${CMAKE_CURRENT_LIST_DIR}/WaterBallAlerts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaterBallAlerts.h)
target_link_libraries(zek_ui PUBLIC Qt6::DBus)
