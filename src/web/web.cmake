# zek_web: the HTTP request component, the pending-request table, the short-link and
# version services and the installer download. QtCore and QtNetwork only.
add_library(zek_web STATIC
  ${CMAKE_CURRENT_LIST_DIR}/HttpRequests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpRequests.h
  ${CMAKE_CURRENT_LIST_DIR}/HttpResponse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpResponse.h
  ${CMAKE_CURRENT_LIST_DIR}/PendingRequests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PendingRequests.h
  ${CMAKE_CURRENT_LIST_DIR}/ServiceAnswers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServiceAnswers.h
  ${CMAKE_CURRENT_LIST_DIR}/VersionCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VersionCheck.h
  ${CMAKE_CURRENT_LIST_DIR}/WebServices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebServices.h)
target_include_directories(zek_web PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_web PUBLIC zek_app_core Qt6::Core Qt6::Network)
# The running version goes to the version service.
target_compile_definitions(zek_web PRIVATE
  ZEK_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  ZEK_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  ZEK_VERSION_PATCH=${PROJECT_VERSION_PATCH})
