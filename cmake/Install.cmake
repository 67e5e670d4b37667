# Installs the program with its desktop entry, icons and AppStream metadata, and describes the
# Debian package that CPack builds from them (cpack -G DEB in the build folder).
include(GNUInstallDirs)

install(TARGETS wattlet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/dev.morvane.Wattlet.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/dev.morvane.Wattlet.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(EXISTS "${PROJECT_SOURCE_DIR}/packaging/icons/hicolor")
  install(DIRECTORY packaging/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

set(CPACK_PACKAGE_NAME wattlet)
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_CONTACT "Morvane <https://morvane.dev>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://wattlet.morvane.dev")
set(CPACK_PACKAGE_INSTALL_DIRECTORY wattlet)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Battery and power supply in the tray\n Wattlet shows the charge, the charging state, the time left, the power,\n the charger, the temperature, the health and the cycle count of a laptop\n battery in the tray, keeps a 48-hour charge history and warns about\n problems. Nothing is sent anywhere.")
# The Qt 6.4 and libudev runtime of Debian 12; the JSON library is header-only.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6dbus6 (>= 6.4), libqt6core6 (>= 6.4), libudev1, libstdc++6, libc6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "upower, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
include(CPack)
