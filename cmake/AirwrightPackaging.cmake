# The Debian package: `cpack` in the build folder writes airwright_VERSION_ARCH.deb
# with what `cmake --install` installs. Its dependencies are the Debian runtime
# packages of the libraries the programs link (dpkg-shlibdeps, from dpkg-dev).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME airwright)
set(CPACK_PACKAGE_VENDOR Korvath)
set(CPACK_PACKAGE_CONTACT "Korvath <support@korvath.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Selection of Korvath heat-recovery ventilation units")
set(CPACK_PACKAGE_DESCRIPTION
    "Airwright selects Korvath heat-recovery ventilation units for a room, computes their cooling and heating \
performance, draws the air states on psychrometric charts and writes reports and material lists. \
airwright-cli makes every output without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads it as a plugin, so no library dependency names it: it draws the
# SVG icon of the window and of the theme.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
# The program refreshes the user's file-type and menu databases with these
# tools when it runs outside the package; the package's own entries are
# picked up by their triggers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, xdg-utils, fonts-dejavu-core")
include(CPack)
