# cmake -DSOURCE=built/mapdata.dat -DTARGET=bin/mapdata.dat -DPLACED=built/placed-mapdata.dat
#       -P PlaceWorld.cmake
# Copies the built world into place unless the world there is someone's work. A world counts
# as nobody's work when it is missing, all zero (the placeholder of earlier builds), or byte
# for byte the world this script placed last time (PLACED keeps a copy): then a rebuilt world
# replaces it, so a change to data/world reaches the program. A world the editor saved is
# kept, and the build says how to take the new one.
set(replace TRUE)
if(EXISTS "${TARGET}")
  file(SIZE "${TARGET}" target_size)
  set(replace FALSE)
  if(target_size EQUAL 62500)
    file(READ "${TARGET}" target_hex HEX)
    if(target_hex MATCHES "^0+$")
      set(replace TRUE)
    endif()
  endif()
  if(NOT replace AND EXISTS "${PLACED}")
    file(SHA256 "${TARGET}" target_sum)
    file(SHA256 "${PLACED}" placed_sum)
    if(target_sum STREQUAL placed_sum)
      set(replace TRUE)
    endif()
  endif()
endif()
if(replace)
  file(SHA256 "${SOURCE}" source_sum)
  if(EXISTS "${TARGET}")
    file(SHA256 "${TARGET}" target_sum)
    if(target_sum STREQUAL source_sum)
      return()
    endif()
  endif()
  get_filename_component(target_dir "${TARGET}" DIRECTORY)
  file(MAKE_DIRECTORY "${target_dir}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
  file(COPY_FILE "${SOURCE}" "${PLACED}")
  message(STATUS "Placed the shipped world at ${TARGET}")
else()
  file(SHA256 "${SOURCE}" source_sum)
  file(SHA256 "${TARGET}" target_sum)
  if(target_sum STREQUAL source_sum)
    # The shipped world itself, placed by a build that kept no copy: nobody's edit.
    file(COPY_FILE "${SOURCE}" "${PLACED}")
  else()
    message(STATUS "Kept the edited world at ${TARGET}; the shipped world differs "
                   "(cmake --build <build> --target reset-world takes it)")
  endif()
endif()
