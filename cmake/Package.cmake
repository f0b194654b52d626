# The Debian package: cd build/release && cpack -G DEB gives qmcal_<version>_<arch>.deb.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qmcal)
set(CPACK_PACKAGE_VENDOR "qmcal developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calibration tool for the QM6200 two-way radio")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QMCAL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The library dependencies come from the executables themselves (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Two of the program's messages are Chinese; without a CJK font they show as boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
# CPack puts the summary first and indents these lines; an empty line separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "qmcal finds the QM6200 radio on a serial port, reads its calibration region,
keeps the images in parameter files, exports them as text and writes the
signal-strength calibration back. It carries the radio's alignment workbench
(power, receiver tuning, modulation, receive test, squelch and signal-strength
pages).

qmcal-cli does the same work from scripts; qmcal-sim plays the radio on a
pseudo-terminal, so everything can be tried without hardware. Using a serial
port needs membership of the group that owns it (dialout).")

include(CPack)
