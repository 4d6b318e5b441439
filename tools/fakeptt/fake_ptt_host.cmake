# zek_fake_ptt_host: a loopback PTT stand-in that answers keys with the recorded screens.
# Other tests link it to drive whole sessions; tools/fakeptt runs it by hand.
add_library(zek_fake_ptt_host STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FakePttHost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakePttHost.h
  ${CMAKE_CURRENT_LIST_DIR}/FakePttSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakePttSession.h)
target_include_directories(zek_fake_ptt_host PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(zek_fake_ptt_host PRIVATE ZEK_FIXTURES_DIR="${ZEK_FIXTURES_DIR}")
target_link_libraries(zek_fake_ptt_host PUBLIC Qt6::Network Qt6::Core)
