# Builds the Debian package from the build, lints it as Debian would, unpacks it into a temporary
# root and checks what landed there. -DBUILD_DIR, -DOUT, -DAPP_ID, -DVERSION.
#
# lintian must report no error and no warning. A tag that is right to keep gets an override in
# the package (usr/share/lintian/overrides/wattlet) with a comment above it that says why.
include(${CMAKE_CURRENT_LIST_DIR}/installed_tree.cmake)
file(REMOVE_RECURSE "${OUT}")
# Under umask 000, which would leave every folder the install makes open to all.
execute_process(COMMAND sh -c "umask 000 && exec \"$@\"" sh "${CMAKE_COMMAND}" -E env
    --unset=DESTDIR cpack -G DEB -B "${OUT}" --config "${BUILD_DIR}/CPackConfig.cmake"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${output}")
endif()
file(GLOB package "${OUT}/*.deb")
list(LENGTH package count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${package}")
endif()

# The libraries come from the binary; the Wayland plugin is named by hand.
execute_process(COMMAND dpkg-deb --field "${package}" Depends Installed-Size
  OUTPUT_VARIABLE fields RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT fields MATCHES "Depends: .*qt6-wayland" OR NOT fields MATCHES "libqt6widgets6")
  message(FATAL_ERROR "the package's dependencies are incomplete: ${fields}")
endif()
# Nothing in it that others than root may write: pkexec, udev and systemd run the helper as root.
execute_process(COMMAND dpkg-deb --contents "${package}" OUTPUT_VARIABLE contents)
string(REGEX MATCHALL "(^|\n)[^l\n](....w|.......w)[^\n]*" writable "${contents}")
if(writable)
  message(FATAL_ERROR "writable by others than root: ${writable}")
endif()
# The unit is run after waking by the sleep targets, not by a system-sleep script.
if(contents MATCHES "system-sleep")
  message(FATAL_ERROR "a system-sleep script is installed")
endif()
file(SIZE "${package}" size)
string(REGEX MATCH "Installed-Size: [0-9]+" installed "${fields}")
message(STATUS "${package}: ${size} bytes, ${installed} KiB")

find_program(LINTIAN lintian)
if(LINTIAN)
  execute_process(COMMAND "${LINTIAN}" --fail-on error,warning "${package}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "lintian: ${result}\n${output}")
  endif()
  message(STATUS "lintian: ${output}")
else()
  message(STATUS "lintian is not installed: skipped")
endif()

execute_process(COMMAND dpkg -x "${package}" "${OUT}/root" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg -x failed: ${result}")
endif()
wattlet_check_installed_tree("${OUT}/root/usr")
