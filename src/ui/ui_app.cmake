# The main window shell, its menu tree, the dialogs and the desktop's message
# boxes. zek_ui is shared with the other main-window parts, so whoever comes first
# creates it and everyone adds sources.
if(NOT TARGET zek_ui)
  add_library(zek_ui STATIC)
endif()
target_sources(zek_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AppDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppDialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/FrmCheckNewVersion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrmCheckNewVersion.h
  ${CMAKE_CURRENT_LIST_DIR}/SharingCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SharingCommands.h
  ${CMAKE_CURRENT_LIST_DIR}/frmQuickBBS.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmZEKLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainForm.h
  ${CMAKE_CURRENT_LIST_DIR}/MainMenus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainMenus.h
  ${CMAKE_CURRENT_LIST_DIR}/QtUserInteraction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtUserInteraction.h
  ${CMAKE_CURRENT_LIST_DIR}/InstanceChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstanceChannel.h
  ${CMAKE_CURRENT_LIST_DIR}/LoginDialogBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LoginDialogBase.h
  ${CMAKE_CURRENT_LIST_DIR}/frmAutoLogin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmAutoLogin.h
  ${CMAKE_CURRENT_LIST_DIR}/frmLogin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmLogin.h
  ${CMAKE_CURRENT_LIST_DIR}/frmQuickBBS.h
  ${CMAKE_CURRENT_LIST_DIR}/frmZEKLink.h)
target_include_directories(zek_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_ui PUBLIC zek_dialogs_core zek_web zek_ptt zek_app_core Qt6::Widgets Qt6::Network)
