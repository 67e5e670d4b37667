# The program's identity for the code: wattlet_identity puts a generated identity.h on the
# include path of whatever links it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/identity.h.in ${PROJECT_BINARY_DIR}/generated/identity.h
  @ONLY)
add_library(wattlet_identity INTERFACE)
target_include_directories(wattlet_identity INTERFACE ${PROJECT_BINARY_DIR}/generated)
