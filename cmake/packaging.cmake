# The Debian package: `cpack -G DEB` in the build folder writes
# dist/zembrix_<version>_amd64.deb at the top of the source tree.
# It holds what `cmake --install` installs, under /usr.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zembrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "moves netbar machine lists from diskless systems to the Telmora console")
set(CPACK_PACKAGE_DESCRIPTION
"Zembrix reads the client machine list of a netbar from one of 22 diskless
or disk-based management systems (text, INI, binary records, JSON, XML,
SQLite or Access files) and writes the same machines, as MAC address, IPv4
address and name, into computer.ONC, the machine list file that the Telmora
console imports.

The package holds the dialog (zembrix), the command line (zembrix-cli) and
the helper that reads Access databases through mdbtools.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zembrix developers")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps names the libraries the programs link (libc6, Qt 6, ICU,
# SQLite, expat, mdbtools). Qt's xcb platform plugin comes with libqt6gui6 on
# Debian 12, so it needs no entry of its own. A font with Chinese characters
# does: the dialog shows boxes without one. So does expat's fixed version:
# its symbols file dates the reparse deferral that long XML tokens need
# (2.5.0-1+deb12u2) as 2.5.0, which an expat without it satisfies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libexpat1 (>= 2.5.0-1+deb12u2), fonts-wqy-microhei | fonts-noto-cjk")

# Packages go to dist/, unless `cpack -B FOLDER` asks for another folder.
# cpack includes the project config file after it has applied -B.
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} @ONLY CONTENT [[
if(CPACK_PACKAGE_DIRECTORY STREQUAL "@PROJECT_BINARY_DIR@")
  set(CPACK_OUTPUT_FILE_PREFIX "@PROJECT_SOURCE_DIR@/dist")
endif()
]])

include(CPack)
