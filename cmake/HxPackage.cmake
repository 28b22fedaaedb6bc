# `cpack -G DEB` in the build folder makes hxprog_<version>_<arch>.deb from the
# install rules. dpkg-shlibdeps finds the libraries the programs link (Qt among them,
# whose libqt6gui6 also brings the X11 platform plugin); what no binary links, it
# cannot see, so the fonts the interface names are added by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hxprog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "hxprog maintainers <hxprog@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for HX7100, HX7200 and HX7400 radios")
set(CPACK_PACKAGE_DESCRIPTION
    "hxprog edits the 16-channel table and the function settings of HX7100, HX7200
and HX7400 handheld two-way radios, reads and writes the radio over a serial
programming cable, and keeps the radio's memory in data files. Every text of
the window is in Chinese and in English.

The package also brings hxtool, the same functions on the command line, and
hxsim, a radio emulator on a pseudo-terminal for trying them without a radio.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese interface font; the English one (Times New Roman) falls back on
# Liberation Serif when that is there. xdg-utils opens the help documents, and Qt's own
# translations put its buttons and file dialogs in Chinese with the interface.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
