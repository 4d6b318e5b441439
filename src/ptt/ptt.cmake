# PTT page recognition, address records, the PTT text component and Zek URLs.
add_library(zek_ptt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AutoNavigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardHandOff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NavigationKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageKeyTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PttTextComponent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaterBall.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZEKAddressCls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZEKAddressPoolCls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZEKURLModule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZekUrlSafety.cpp
)
target_include_directories(zek_ptt PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_ptt PUBLIC zek_app_core zek_screen_core zek_session_address Qt6::Core)
