# Installs the programs like a desktop program and packs them as a Debian package.
include(GNUInstallDirs)

install(TARGETS quorl-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The README and docs/ are the pages the game opens in the browser.
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
configure_file(${CMAKE_SOURCE_DIR}/data/quorl-cli.6.in ${CMAKE_BINARY_DIR}/data/quorl-cli.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/data/quorl-cli.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

if(TARGET quorl)
  install(TARGETS quorl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  configure_file(${CMAKE_SOURCE_DIR}/data/quorl.6.in ${CMAKE_BINARY_DIR}/data/quorl.6 @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/data/${QUORL_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/data/${QUORL_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/data/quorl.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${CMAKE_SOURCE_DIR}/data/${QUORL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/data/${QUORL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${CMAKE_SOURCE_DIR}/data/${QUORL_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_PACKAGE_NAME quorl)
set(CPACK_PACKAGE_VENDOR "Quorl developers")
set(CPACK_PACKAGE_CONTACT "Quorl developers <quorl@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "young solar system under Newtonian gravity")
set(CPACK_PACKAGE_DESCRIPTION "A star and a cloud of planets that orbit, collide and fuse. Grow life
on a world and carry it to others by comet and spacecraft. quorl-cli drives the
same game from scripts, without a window.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The Qt libraries come from dpkg-shlibdeps. Debian 12 ships the X11 platform plugin in libqt6gui6
# itself (qt6-qpa-plugins holds only VNC and touch plugins), so shlibdeps covers it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)
