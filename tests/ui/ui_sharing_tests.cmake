# The dialogs' plain parts, then the link, quick-connect and version dialogs on a real
# main window (offscreen).
add_executable(zek_sharing_core_tests ${CMAKE_CURRENT_LIST_DIR}/SharingCoreTest.cpp)
target_link_libraries(zek_sharing_core_tests PRIVATE zek_dialogs_core zek_test_main)
gtest_discover_tests(zek_sharing_core_tests DISCOVERY_TIMEOUT 60)

find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(zek_sharing_tests ${CMAKE_CURRENT_LIST_DIR}/SharingDialogsTest.cpp)
target_link_libraries(zek_sharing_tests PRIVATE zek_ui zek_test_main_gui Qt6::Test Qt6::Network)
target_compile_definitions(zek_sharing_tests PRIVATE ZEK_LANGUAGES_INI="${PROJECT_SOURCE_DIR}/data/languages.ini")
gtest_discover_tests(zek_sharing_tests DISCOVERY_TIMEOUT 60)
