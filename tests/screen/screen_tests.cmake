# Interpreter, Big5, links and marking, with the recorded PTT screens.
add_executable(zek_screen_tests
  ${CMAKE_CURRENT_LIST_DIR}/ScreenModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Big5Test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnsiCopyTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinksAndMarkingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreendumpTest.cpp)
target_link_libraries(zek_screen_tests PRIVATE zek_screen_core zek_test_main)
target_compile_definitions(zek_screen_tests PRIVATE ZEK_SCREENDUMP="$<TARGET_FILE:zek_screendump>")
add_dependencies(zek_screen_tests zek_screendump)
gtest_discover_tests(zek_screen_tests DISCOVERY_TIMEOUT 60)

# The same sources built again under AddressSanitizer and UndefinedBehaviorSanitizer,
# fed long random streams.
set(_zek_screen_src ${PROJECT_SOURCE_DIR}/src/screen)
add_executable(zek_screen_asan_tests
  ${CMAKE_CURRENT_LIST_DIR}/ScreenFuzzTest.cpp
  ${_zek_screen_src}/ScreenModel.cpp
  ${_zek_screen_src}/Big5.cpp
  ${_zek_screen_src}/LinkScanner.cpp
  ${_zek_screen_src}/Selection.cpp)
set_target_properties(zek_screen_asan_tests PROPERTIES AUTOMOC OFF)
target_compile_options(zek_screen_asan_tests PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_link_options(zek_screen_asan_tests PRIVATE -fsanitize=address,undefined)
target_link_libraries(zek_screen_asan_tests PRIVATE zek_test_main)
gtest_discover_tests(zek_screen_asan_tests DISCOVERY_TIMEOUT 60)
get_filename_component(_zek_uao_table "${PROJECT_SOURCE_DIR}/../shared/encodings/uao250-b2u.txt" ABSOLUTE)
target_compile_definitions(zek_screen_tests PRIVATE ZEK_UAO_TABLE="${_zek_uao_table}")
