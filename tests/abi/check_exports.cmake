# Fails unless the shared library's dynamic symbol table defines exactly the
# names listed in the export file. Run with -DLIBRARY=... -DEXPORTS=... -DNM=...
file(STRINGS "${EXPORTS}" lines REGEX "^[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*$")
set(expected "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" name)
  list(APPEND expected "${name}")
endforeach()
list(SORT expected)

execute_process(COMMAND "${NM}" -D --defined-only "${LIBRARY}"
  OUTPUT_VARIABLE nm_output RESULT_VARIABLE nm_result)
if(NOT nm_result EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" nm_lines "${nm_output}")
set(actual "")
foreach(line IN LISTS nm_lines)
  # "<address> <type> <name>[@version]"; absolute version-node symbols (type A) are not code.
  if(line MATCHES "^[0-9a-fA-F]+ ([A-Za-z]) ([^@ ]+)")
    if(NOT CMAKE_MATCH_1 STREQUAL "A")
      list(APPEND actual "${CMAKE_MATCH_2}")
    endif()
  endif()
endforeach()
list(SORT actual)

if(NOT actual STREQUAL expected)
  set(unexpected ${actual})
  list(REMOVE_ITEM unexpected ${expected})
  set(missing ${expected})
  list(REMOVE_ITEM missing ${actual})
  message(FATAL_ERROR "exported symbols differ from the export list\n"
    "  unexpected: ${unexpected}\n  missing: ${missing}")
endif()
list(LENGTH actual count)
message(STATUS "${count} exports, as listed")
