# What `cmake --install` puts where, and the Debian package made from it
# (`make package`). The programs go to bin/; the default settings to
# share/tolm47x/INI, where an installed copy seeds the user's folder from;
# the menu entry, its icon and the software centre's description to their
# standard places.
include(GNUInstallDirs)

set(TOLM_APP_ID ru.tolm.tolm47x)
# The day this version was released, for the software centre's history.
set(TOLM_RELEASE_DATE 2026-12-09)

install(TARGETS tolm47x tolm-cli tolm-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/dist/INI/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tolm47x/INI)
# The register's tables for the database administrator of the factory's server.
install(FILES ${PROJECT_SOURCE_DIR}/dist/register.sql DESTINATION ${CMAKE_INSTALL_DATADIR}/tolm47x)
install(FILES ${PROJECT_SOURCE_DIR}/dist/desktop/${TOLM_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/desktop/${TOLM_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${PROJECT_SOURCE_DIR}/dist/desktop/${TOLM_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${TOLM_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${TOLM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolm47x)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "tolm47x developers <tolm47x@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service program for the ТОЛМ47xИ radar level gauges")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Polls an FMCW radar level gauge on a serial port and archives its readings per day,\n"
       "draws live and archived graphs, reads and writes the gauge's configuration,\n"
       "reads its echo spectrum and raw signal, calibrates it and runs the factory test run.\n"
       "Includes tolm-cli, the command-line tool, and tolm-sim, a simulated gauge on a pseudo-terminal.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries come from dpkg-shlibdeps; Qt's platform plugins (the
# window system) and Qt's Russian translations of its own dialogs are
# loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)
