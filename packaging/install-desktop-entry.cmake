# Runs at install time: writes the desktop entry with the folder the program
# is actually installed to (the prefix given to `cmake --install`, or the
# configured one), so that the program starts in its data folder, beside
# the guide's pages.  DESTDIR staging keeps the configured prefix.
#
# Expects TOVI_DESKTOP_TEMPLATE, TOVI_DATADIR (relative to the prefix or
# absolute) and TOVI_STAGING_DIR.
if(IS_ABSOLUTE "${TOVI_DATADIR}")
  set(datadir "${TOVI_DATADIR}")
else()
  set(datadir "${CMAKE_INSTALL_PREFIX}/${TOVI_DATADIR}")
endif()
set(TOVI_DATA_DIR "${datadir}/tovi")
configure_file("${TOVI_DESKTOP_TEMPLATE}" "${TOVI_STAGING_DIR}/tovi.desktop" @ONLY)
file(INSTALL "${TOVI_STAGING_DIR}/tovi.desktop" DESTINATION "${datadir}/applications")
