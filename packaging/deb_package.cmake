# The Debian package, made by `cpack -G DEB` from the install rules beside this file.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${EUROPA_EXECUTABLE})
set(CPACK_PACKAGE_VENDOR ${EUROPA_DEVELOPER})
set(CPACK_PACKAGE_CONTACT ${EUROPA_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${EUROPA_SUMMARY})
# Read here, not through CPACK_PACKAGE_DESCRIPTION_FILE, which escapes quotes as XML.
file(READ ${EUROPA_DESCRIPTION_FILE} CPACK_DEBIAN_PACKAGE_DESCRIPTION)
# The description quotes the game's words; keep those quotes as they are.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_HOMEPAGE_URL ${EUROPA_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps; Qt's platform
# plugins and SDL (for sound) are loaded at run time, so nothing in the
# binary names them. SDL 2.0.16 brought the last function the sound uses.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libsdl2-2.0-0 (>= 2.0.16)")
# On a Wayland desktop the game runs as a Wayland client when Qt's plugin for it
# is there, and through Xwayland when it is not.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
