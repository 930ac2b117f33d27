# Read by cpack before it makes the packages. The packages that hold a shared
# object in a library directory (libkalcore3, libkalcore3-dialogs) are made
# without CPack's dpkg-shlibdeps run, which would come with maintainer
# scripts calling ldconfig; their dependencies on system libraries are asked
# of dpkg-shlibdeps here, from the built files, and added to their Depends.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(kalcore_shlibdeps dpkg-shlibdeps REQUIRED)
  # dpkg-shlibdeps wants a debian/control where it runs.
  file(MAKE_DIRECTORY ${CPACK_KALCORE_SHLIBDEPS_DIR}/debian)
  file(TOUCH ${CPACK_KALCORE_SHLIBDEPS_DIR}/debian/control)
  foreach(component IN ITEMS RUNTIME DIALOGS)
    set(object ${CPACK_KALCORE_${component}_SHLIBDEPS})
    if(NOT object OR NOT EXISTS ${object})
      continue()
    endif()
    execute_process(COMMAND ${kalcore_shlibdeps} -O ${object}
      WORKING_DIRECTORY ${CPACK_KALCORE_SHLIBDEPS_DIR}
      OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE "^shlibs:Depends=" "" found "${found}")
    set(depends ${CPACK_DEBIAN_${component}_PACKAGE_DEPENDS})
    if(depends)
      set(CPACK_DEBIAN_${component}_PACKAGE_DEPENDS "${depends}, ${found}")
    else()
      set(CPACK_DEBIAN_${component}_PACKAGE_DEPENDS "${found}")
    endif()
  endforeach()
endif()
