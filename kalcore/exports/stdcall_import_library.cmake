# Rebuilds the import library of the 32-bit DLL with decorated names. The DLL
# exports its stdcall functions under plain names (KD_ISVDATE), but a caller
# compiled against kalcore.h refers to them decorated (_KD_ISVDATE@4); the
# import library maps the one onto the other (dlltool --kill-at).
# Run with -DDLL=... -DDEF=... -DIMPLIB=... -DNM=... -DDLLTOOL=...
file(STRINGS "${DEF}" lines REGEX "^[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*$")
execute_process(COMMAND "${NM}" "${DLL}" OUTPUT_VARIABLE symbols RESULT_VARIABLE nm_result)
if(NOT nm_result EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${DLL}")
endif()
get_filename_component(dll_name "${DLL}" NAME)
set(decorated "LIBRARY ${dll_name}\nEXPORTS\n")
foreach(line IN LISTS lines)
  string(STRIP "${line}" name)
  if(NOT symbols MATCHES " T _${name}@([0-9]+)\n")
    message(FATAL_ERROR "${name}: no stdcall symbol _${name}@N in ${DLL}")
  endif()
  string(APPEND decorated "    ${name}@${CMAKE_MATCH_1}\n")
endforeach()
get_filename_component(dir "${IMPLIB}" DIRECTORY)
file(WRITE "${dir}/kalcore-stdcall.def" "${decorated}")
execute_process(COMMAND "${DLLTOOL}" --kill-at -d "${dir}/kalcore-stdcall.def" -D "${dll_name}"
  -l "${IMPLIB}" RESULT_VARIABLE dlltool_result)
if(NOT dlltool_result EQUAL 0)
  message(FATAL_ERROR "${DLLTOOL} failed")
endif()
