# cmake -DSOURCE=built/mapdata.dat -DTARGET=bin/mapdata.dat -P PlaceWorld.cmake
# Copies the built world into place unless a world is already there. An all-zero world
# counts as none: earlier builds put that placeholder there, and nobody saves it on purpose.
if(EXISTS "${TARGET}")
  file(SIZE "${TARGET}" target_size)
  if(NOT target_size EQUAL 62500)
    return()
  endif()
  file(READ "${TARGET}" target_hex HEX)
  if(NOT target_hex MATCHES "^0+$")
    return()
  endif()
endif()
get_filename_component(target_dir "${TARGET}" DIRECTORY)
file(MAKE_DIRECTORY "${target_dir}")
file(COPY_FILE "${SOURCE}" "${TARGET}")
message(STATUS "Placed the shipped world at ${TARGET}")
