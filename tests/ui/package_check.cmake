# Builds the Debian package into a temporary folder and checks its control fields.
# -DBUILD_DIR, -DOUT.
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=DESTDIR
    cpack -G DEB -B "${OUT}" --config "${BUILD_DIR}/CPackConfig.cmake"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${output}")
endif()
file(GLOB packages "${OUT}/*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${packages}")
endif()

find_program(DPKG_DEB dpkg-deb REQUIRED)
execute_process(COMMAND "${DPKG_DEB}" --field ${packages} Package Depends
  OUTPUT_VARIABLE fields RESULT_VARIABLE result)
foreach(needed "Package: wattlet" "libqt6widgets6" "libqt6gui6" "libqt6dbus6" "libqt6core6" "libudev1")
  string(FIND "${fields}" "${needed}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package lacks ${needed}: ${fields}")
  endif()
endforeach()
execute_process(COMMAND "${DPKG_DEB}" --contents ${packages} OUTPUT_VARIABLE contents)
foreach(needed "/usr/bin/wattlet" "/usr/share/applications/dev.morvane.Wattlet.desktop"
    "/usr/share/metainfo/dev.morvane.Wattlet.metainfo.xml")
  string(FIND "${contents}" "${needed}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package lacks ${needed}")
  endif()
endforeach()
