# The Debian package: `cpack -G DEB` in the build folder (scripts/package).
# Its dependencies come from dpkg-shlibdeps' scan of the installed binaries;
# the framework library is private to the package, so the scan is told where
# it lives instead of looking for a package that provides it.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kurvo7)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KURVO7 developers")
set(CPACK_PACKAGE_CONTACT "KURVO7 developers <developers@kurvo7.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "chart of each race's industry, population and tech over the turns")
# The synopsis line comes from the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "KURVO7 is a chart plug-in for the client of a turn-based strategy game.
For every race added it draws Industry, Population and the weapon, drive
and shield tech levels over every turn as curves in the race's colour;
resting the mouse on a curve shows the exact value.
.
This package carries the plug-in, kurvo-host (a host program that loads
it and answers its requests from game folders of CSV files), sample
games, kvdump (checks a chart file and prints it as JSON or CSV) and
kurvo-gengame (writes invented games of any size).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian keeps that section for packages with a game in
# /usr/games, and this is a companion to one.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The host reaches Wayland through a Qt platform plug-in that it loads at run
# time, which the scan cannot see; X11 and offscreen come with Qt's GUI. Qt's
# own translations (the standard buttons in the user's language) are files
# it reads if they are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
include(CPack)
