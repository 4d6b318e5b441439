# zek_app_core: the INI files, settings, language texts, deployment values and the small
# process helpers. QtCore only.
add_library(zek_app_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Deployment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Preferences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SingleInstanceLock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartupTrace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartupMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StderrUserInteraction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TerminationSignals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebEngineEnvironment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Deployment.h
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.h
  ${CMAKE_CURRENT_LIST_DIR}/LanguageTexts.h
  ${CMAKE_CURRENT_LIST_DIR}/Preferences.h
  ${CMAKE_CURRENT_LIST_DIR}/Settings.h
  ${CMAKE_CURRENT_LIST_DIR}/UserInteraction.h)
target_include_directories(zek_app_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zek_app_core PUBLIC zek_screen_core Qt6::Core)

# languages.ini ships beside the executable; tests copy it from there.
add_custom_command(
  OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/languages.ini
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/data/languages.ini
          ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/languages.ini
  DEPENDS ${PROJECT_SOURCE_DIR}/data/languages.ini
  COMMENT "Copying languages.ini beside the executable")
add_custom_target(zek_languages ALL DEPENDS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/languages.ini)
