# The Debian package that CPack builds from the install (cpack -G DEB in the build folder).
# Included by packaging/CMakeLists.txt, which sets WATTLET_PACKAGE and WATTLET_MAINTAINER.
set(CPACK_PACKAGE_NAME ${WATTLET_PACKAGE})
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_CONTACT "${WATTLET_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${WATTLET_PACKAGE})
set(CPACK_GENERATOR DEB)
# A release package carries no debug information, whatever the build type.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The synopsis is the summary above; this is the extended description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Wattlet shows the charge, the charging state, the time left, the power,
the charger, the temperature, the health and the cycle count of a laptop
battery in the tray, keeps a 48-hour charge history and warns about
problems. Nothing is sent anywhere.")
# The shared libraries come from the binary; Qt loads its Wayland platform plugin at run time,
# where the linker cannot see it, and a Wayland session aborts without it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland")
# XWayland: on GNOME and Plasma Wayland the panel goes through it to open beside the tray.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "upower, xwayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
# The boot unit of the charge-limit helper is enabled as debhelper would; removing the package
# switches the kept limits off.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/charge-limit/postinst
  ${PROJECT_SOURCE_DIR}/packaging/charge-limit/prerm ${PROJECT_SOURCE_DIR}/packaging/charge-limit/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
