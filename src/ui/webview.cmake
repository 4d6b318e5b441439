# zek_webview: the embedded browser, a module loaded with the first web page (see
# WebViewModule). Keeping Qt WebEngine out of the executable keeps its libraries from
# being loaded and relocated at every start, and out of the memory of BBS-only use.
# WebPane's code stays in the program, which exports it (WebPane.dynlist).
add_library(zek_webview MODULE
  ${CMAKE_CURRENT_LIST_DIR}/WebViewEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZekWebPage.cpp ${CMAKE_CURRENT_LIST_DIR}/ZekWebPage.h
  ${CMAKE_CURRENT_LIST_DIR}/ZekWebView.cpp ${CMAKE_CURRENT_LIST_DIR}/ZekWebView.h)
target_include_directories(zek_webview PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_webview PRIVATE Qt6::WebEngineWidgets Qt6::Widgets)
# Beside the executable, where the loader looks for it.
set_target_properties(zek_webview PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
