# The main window's tabs and layout on a real MainForm (offscreen), and the web view
# module's loader.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(zek_mainwin_tests
  ${CMAKE_CURRENT_LIST_DIR}/LoginDialogsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuCommandsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SessionStatusTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SessionTabsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebViewModuleTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZekUrlJourneyTest.cpp)
target_link_libraries(zek_mainwin_tests PRIVATE zek_ui zek_fake_ptt_host zek_test_main_gui Qt6::Test Qt6::Network)
target_compile_definitions(zek_mainwin_tests PRIVATE ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
# The web view comes from the module beside the test program, as beside zek.
add_dependencies(zek_mainwin_tests zek_webview)
gtest_discover_tests(zek_mainwin_tests DISCOVERY_TIMEOUT 60)

# The web engine itself, loaded through the module, in a program of its own: Qt WebEngine
# 6.4 frees some of its own objects with a sized delete of the wrong size, which
# AddressSanitizer reports as a type mismatch inside the library. That one check is off
# for this program only; our code is checked in full everywhere else.
add_executable(zek_webview_tests ${CMAKE_CURRENT_LIST_DIR}/ZekWebViewTest.cpp)
target_link_libraries(zek_webview_tests PRIVATE zek_ui zek_test_main_gui Qt6::Test)
add_dependencies(zek_webview_tests zek_webview)
gtest_discover_tests(zek_webview_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append:::new_delete_type_mismatch=0")

