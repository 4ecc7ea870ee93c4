# The version and application id both programs and the installed files share, as a plain header
# so the core can read it without Qt.
# The game's own pages live with its documentation (README.md and docs/), installed under the doc folder.
set(CMAKE_INSTALL_DOCDIR share/doc/quorl CACHE PATH "Documentation: README.md and docs/")
include(GNUInstallDirs)

set(QUORL_APP_ID org.quorl.Quorl)
# An installed program finds its desktop entry through this path from its binary folder.
file(RELATIVE_PATH QUORL_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR})
# The page "www" and the about window's "visit" open: the README, found from the binary folder when
# installed, else in the source tree the program was built from.
file(RELATIVE_PATH QUORL_BIN_TO_DOC ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DOCDIR})
set(QUORL_PRODUCT_PAGE README.md)

configure_file(${CMAKE_CURRENT_LIST_DIR}/app_info.h.in ${CMAKE_BINARY_DIR}/generated/app_info.h @ONLY)
target_include_directories(quorl_core PUBLIC ${CMAKE_BINARY_DIR}/generated)
