# `cpack -G DEB` in a build directory makes a Debian package of what `cmake --install` installs.
set(CPACK_PACKAGE_NAME vesk-lnmail)
set(CPACK_PACKAGE_VENDOR "Vesk")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Notes mail connector for the Vesk host, with its embedded Notes runtime")
set(CPACK_PACKAGE_CONTACT "Vesk developers <dev@vesk.invalid>")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION mail)
# The shared libraries' own dependencies (SQLite, ICU, the C++ runtime) come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
