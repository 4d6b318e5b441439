# zek_fake_ptt_host: a loopback PTT stand-in that answers keys with the recorded screens.
# fakeptt runs it by hand; tests link it to drive whole sessions.
# Its default screens: ZEK_FAKEPTT_FIXTURES_DIR if given, else $ENV{ZEK_FIXTURES_DIR} at
# configure time, else ../shared/fixtures beside the repository (fakeptt --fixtures overrides).
set(ZEK_FAKEPTT_FIXTURES_DIR "" CACHE PATH "Recorded screens the fake PTT host serves by default")
set(_zek_fakeptt_fixtures "${ZEK_FAKEPTT_FIXTURES_DIR}")
if(NOT _zek_fakeptt_fixtures)
  set(_zek_fakeptt_fixtures "$ENV{ZEK_FIXTURES_DIR}")
endif()
if(NOT _zek_fakeptt_fixtures)
  get_filename_component(_zek_fakeptt_fixtures "${PROJECT_SOURCE_DIR}/../shared/fixtures" ABSOLUTE)
endif()

add_library(zek_fake_ptt_host STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FakePttHost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakePttHost.h
  ${CMAKE_CURRENT_LIST_DIR}/FakePttSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakePttSession.h
  ${CMAKE_CURRENT_LIST_DIR}/FakePttWebSocketFront.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakePttWebSocketFront.h)
target_include_directories(zek_fake_ptt_host PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(zek_fake_ptt_host PRIVATE ZEK_FIXTURES_DIR="${_zek_fakeptt_fixtures}")
find_package(Qt6 REQUIRED COMPONENTS WebSockets)
target_link_libraries(zek_fake_ptt_host PUBLIC zek_screen_core Qt6::Network Qt6::WebSockets Qt6::Core)
