# The staff programs of programs/staff_programs.txt, read once for the whole build: programs/ builds
# them, and the library compiles their names in, so that none of them answers anyone but a
# signed-in librarian. Sets AMBRY_STAFF_PROGRAMS (the names) and staff_in_<folder> (the names of
# each folder).
set(AMBRY_STAFF_PROGRAMS_FILE ${CMAKE_SOURCE_DIR}/programs/staff_programs.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${AMBRY_STAFF_PROGRAMS_FILE})
file(STRINGS ${AMBRY_STAFF_PROGRAMS_FILE} staff_lines)
set(AMBRY_STAFF_PROGRAMS "")
foreach(line ${staff_lines})
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([a-z_]+) ([a-z_]+)$")
    message(FATAL_ERROR "staff_programs.txt: not \"folder program\": ${line}")
  endif()
  list(APPEND AMBRY_STAFF_PROGRAMS ${CMAKE_MATCH_2})
  list(APPEND staff_in_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
endforeach()
