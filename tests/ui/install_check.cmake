# Installs the build into a temporary prefix, checks what landed there and runs the desktop
# validators when they are installed. -DBUILD_DIR, -DSOURCE_DIR, -DPREFIX.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  bin/wattlet
  share/applications/dev.morvane.Wattlet.desktop
  share/metainfo/dev.morvane.Wattlet.metainfo.xml)
if(EXISTS "${SOURCE_DIR}/packaging/icons/hicolor/scalable/apps/dev.morvane.Wattlet.svg")
  list(APPEND expected share/icons/hicolor/scalable/apps/dev.morvane.Wattlet.svg)
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

execute_process(COMMAND "${PREFIX}/bin/wattlet" --version OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version MATCHES "^wattlet [0-9]+\\.[0-9]+\\.[0-9]+")
  message(FATAL_ERROR "the installed program does not run: ${result} ${version}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}"
      "${PREFIX}/share/applications/dev.morvane.Wattlet.desktop"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${output}")
  endif()
else()
  message(STATUS "desktop-file-validate is not installed: skipped")
endif()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net
      "${PREFIX}/share/metainfo/dev.morvane.Wattlet.metainfo.xml"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate: ${output}")
  endif()
else()
  message(STATUS "appstreamcli is not installed: skipped")
endif()
