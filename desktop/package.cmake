# `cpack -G DEB` in a release build makes a Debian package of everything `cmake --install`
# installs, under /usr. scripts/check-package makes it and checks what it holds.
set(TQM5_PACKAGE_MAINTAINER "TQ-M5 Clone Utility developers"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_NAME tqm5)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Clone utility for the TQ-M5 handheld radio")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the memory of the TQ-M5 handheld radio over a serial cable, edits every channel and
setting, and writes it back; keeps the work in project, CSV and font files. Holds the window
tqm5-clone, the command line tqm5 and the simulated radio tqm5-sim.")
set(CPACK_PACKAGE_CONTACT ${TQM5_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The Qt 6 libraries the programs link, the platform plugins without which the window cannot
# open, and the font that draws the Japanese texts of the pages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libgcc-s1, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), \
libqt6widgets6 (>= 6.4), libqt6serialport6 (>= 6.4), qt6-qpa-plugins, fonts-ipafont-gothic")
include(CPack)
