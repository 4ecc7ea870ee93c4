# The version and application id both programs and the installed files share, as a plain header
# so the core can read it without Qt.
include(GNUInstallDirs)

set(QUORL_APP_ID org.quorl.Quorl)
# An installed program finds its desktop entry through this path from its binary folder.
file(RELATIVE_PATH QUORL_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/app_info.h.in ${CMAKE_BINARY_DIR}/generated/app_info.h @ONLY)
target_include_directories(quorl_core PUBLIC ${CMAKE_BINARY_DIR}/generated)
