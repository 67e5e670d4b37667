# Installs the build into a temporary prefix and checks what landed there.
# -DBUILD_DIR, -DPREFIX, -DAPP_ID, -DVERSION.
include(${CMAKE_CURRENT_LIST_DIR}/installed_tree.cmake)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
wattlet_check_installed_tree("${PREFIX}")
