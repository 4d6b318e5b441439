# zek_startup: start-up and shutdown over the main window; the zek executable on top.
add_library(zek_startup STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MainModule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainModule.h
  ${CMAKE_CURRENT_LIST_DIR}/AppContext.h)
target_include_directories(zek_startup PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_startup PUBLIC zek_ui zek_ptt zek_app_core Qt6::Widgets)

add_executable(zek ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp ${CMAKE_CURRENT_LIST_DIR}/CommandLine.h)
target_compile_definitions(zek PRIVATE ZEK_VERSION="${PROJECT_VERSION}")
target_link_libraries(zek PRIVATE zek_startup)
add_dependencies(zek zek_languages zek_webview)
