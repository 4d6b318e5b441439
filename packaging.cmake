# Installing and packaging: the program, its web view module and languages.ini in one
# folder (Zek reads its texts and loads the module beside the executable and keeps App.ini there when it may, else in
# ~/.config/zek), a zek command on the PATH, the desktop entry that registers Zek for
# telnet: and zek: links, and its icon. `cpack -G DEB` makes a Debian package of it.
include(GNUInstallDirs)
set(ZEK_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/zek)

install(TARGETS zek RUNTIME DESTINATION ${ZEK_INSTALL_DIR})
# The web view module, which zek looks for beside itself.
install(TARGETS zek_webview LIBRARY DESTINATION ${ZEK_INSTALL_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/languages.ini DESTINATION ${ZEK_INSTALL_DIR})
# The command on the PATH is a relative link, so the package can be installed anywhere.
file(RELATIVE_PATH _zek_link_target /${CMAKE_INSTALL_BINDIR} /${ZEK_INSTALL_DIR}/zek)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ${_zek_link_target} ${CMAKE_BINARY_DIR}/install-links/zek SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install-links/zek DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/zek.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/zek.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME zek)
set(CPACK_PACKAGE_VENDOR "Zek developers")
set(CPACK_PACKAGE_CONTACT "Zek developers <zek@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop client for PTT and other text-mode bulletin boards")
set(CPACK_PACKAGE_DESCRIPTION
    "Zek shows BBS sessions and web pages side by side in tabs, draws each BBS screen with ANSI colours and Big5 Chinese text, and turns what you read on PTT into shareable links.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY zek)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Faces the screen and the menus are drawn with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-noto-cjk, fonts-dejavu-core")
# Only the program is packaged, not the test tools.
set(CPACK_COMPONENTS_ALL Unspecified)
include(CPack)
