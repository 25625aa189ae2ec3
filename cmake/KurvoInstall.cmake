# Where `cmake --install` puts things. The programs go to bin/, the
# framework library and the plug-in to a private library folder that only
# they use, the sample games and the desktop files to share/. Every RPATH is
# relative to $ORIGIN, so that an installed tree still runs after a move.

include(GNUInstallDirs)

# Debian keeps a package's private libraries in a folder of its multiarch
# library folder, where ldconfig does not look.
if(CMAKE_LIBRARY_ARCHITECTURE AND CMAKE_INSTALL_LIBDIR STREQUAL "lib")
  set(KURVO_INSTALL_PKGLIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/kurvo7)
else()
  set(KURVO_INSTALL_PKGLIBDIR ${CMAKE_INSTALL_LIBDIR}/kurvo7)
endif()
set(KURVO_INSTALL_PKGDATADIR ${CMAKE_INSTALL_DATADIR}/kurvo7)
set(KURVO_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/kurvo7)
set(KURVO_APP_ID org.kurvo7.kurvohost)

# The programs find the private folder and the games from their own place.
file(RELATIVE_PATH KURVO_PKGLIB_FROM_BIN
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${KURVO_INSTALL_PKGLIBDIR})
file(RELATIVE_PATH KURVO_PKGDATA_FROM_BIN
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${KURVO_INSTALL_PKGDATADIR})
