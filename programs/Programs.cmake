# The programs of programs/programs.txt, read once for the whole build: programs/ builds them, and
# the library compiles the staff programs' names in, so that none of them answers anyone but a
# signed-in librarian. Sets AMBRY_PROGRAM_FOLDERS (each folder once, in the list's order),
# programs_in_<folder> (the programs of each folder) and AMBRY_STAFF_PROGRAMS (the staff programs).
set(AMBRY_PROGRAMS_FILE ${CMAKE_SOURCE_DIR}/programs/programs.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${AMBRY_PROGRAMS_FILE})
file(STRINGS ${AMBRY_PROGRAMS_FILE} program_lines)
set(AMBRY_PROGRAM_FOLDERS "")
set(AMBRY_STAFF_PROGRAMS "")
foreach(line ${program_lines})
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([a-z_]+) ([a-z_]+) (staff|public|tool)$")
    message(FATAL_ERROR "programs.txt: not \"folder program staff|public|tool\": ${line}")
  endif()
  list(APPEND AMBRY_PROGRAM_FOLDERS ${CMAKE_MATCH_1})
  list(APPEND programs_in_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  if(CMAKE_MATCH_3 STREQUAL "staff")
    list(APPEND AMBRY_STAFF_PROGRAMS ${CMAKE_MATCH_2})
  endif()
endforeach()
list(REMOVE_DUPLICATES AMBRY_PROGRAM_FOLDERS)
