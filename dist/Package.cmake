# The Debian package, built by tools/package with cpack -G DEB. Its dependencies come from the
# shared libraries that the program and the plug-in link (SDL2, ENet, fontconfig, FreeType), and
# the fonts that the game's text asks fontconfig for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltranzik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Veltranzik developers")
set(CPACK_PACKAGE_CONTACT "Veltranzik developers <veltranzik@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade shooting game: the great stork hunt")
set(CPACK_PACKAGE_DESCRIPTION
    "Storks fly at three depths over a scrolling summer landscape, figures pop\n\
up from the ground and a plane tows a banner across the sky. Aim with the\n\
mouse, shoot from a magazine of eight cartridges, and play 90-second rounds\n\
for a high-score table that is kept between games, or against a second copy\n\
of the game on the local network. The game speaks German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VXG_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# One package of everything but the launcher in bin/, which Debian wants in games/ instead.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian_launcher)
include(CPack)
