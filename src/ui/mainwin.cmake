# The main window's tabs, sessions, web pages and layout.
# Plain bookkeeping and arithmetic, QtCore only, tested without widgets.
add_library(zek_mainwin_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AddressTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutMath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PttShortcuts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabTable.cpp)
target_include_directories(zek_mainwin_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_mainwin_core PUBLIC zek_ptt Qt6::Core)

# The widget parts join zek_ui, which ui_app.cmake defines after this file is read.
function(zek_mainwin_attach_to_ui)
  if(NOT TARGET zek_ui OR NOT TARGET zek_session)
    return()
  endif()
  set(_dir ${PROJECT_SOURCE_DIR}/src/ui)
  target_sources(zek_ui PRIVATE
    ${_dir}/MainFormLayout.cpp ${_dir}/MainFormLayout.h
    ${_dir}/AboutDialog.cpp ${_dir}/AboutDialog.h
    ${_dir}/AppIcon.cpp ${_dir}/AppIcon.h
    ${_dir}/MainFormParts.cpp ${_dir}/MainFormParts.h
    ${_dir}/MainTick.cpp ${_dir}/MainTick.h
    ${_dir}/MenuCommands.cpp ${_dir}/MenuCommands.h
    ${_dir}/TerminalFontDialog.cpp ${_dir}/TerminalFontDialog.h
    ${_dir}/ToolbarIcons.cpp ${_dir}/ToolbarIcons.h
    ${_dir}/SessionStatus.cpp ${_dir}/SessionStatus.h
    ${_dir}/SessionTabs.cpp ${_dir}/SessionTabs.h
    ${_dir}/ToolbarRow.cpp ${_dir}/ToolbarRow.h
    ${_dir}/WebPane.h
    ${_dir}/UnavailableWebPane.cpp ${_dir}/UnavailableWebPane.h
    ${_dir}/WebViewModule.cpp ${_dir}/WebViewModule.h)
  target_link_libraries(zek_ui PUBLIC zek_mainwin_core zek_tabstrip zek_session)
  # The web view module (webview.cmake) derives from WebPane: every program with the main
  # window exports WebPane's symbols, and only those, for it.
  target_link_options(zek_ui INTERFACE "LINKER:--dynamic-list=${_dir}/WebPane.dynlist")
  set_property(TARGET zek_ui APPEND PROPERTY INTERFACE_LINK_DEPENDS ${_dir}/WebPane.dynlist)
endfunction()
cmake_language(DEFER CALL zek_mainwin_attach_to_ui)
