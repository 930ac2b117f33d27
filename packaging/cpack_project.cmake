# Read by cpack before it makes the packages. libkalcore3, whose shared
# library lies in a directory of the loader, is made without CPack's
# dpkg-shlibdeps run, which would come with maintainer scripts calling
# ldconfig; its dependencies on system libraries are asked of dpkg-shlibdeps
# here, from the built library, and added to its Depends.
if(CPACK_GENERATOR STREQUAL "DEB" AND EXISTS "${CPACK_KALCORE_RUNTIME_SHLIBDEPS}")
  find_program(kalcore_shlibdeps dpkg-shlibdeps REQUIRED)
  # dpkg-shlibdeps wants a debian/control where it runs.
  file(MAKE_DIRECTORY ${CPACK_KALCORE_SHLIBDEPS_DIR}/debian)
  file(TOUCH ${CPACK_KALCORE_SHLIBDEPS_DIR}/debian/control)
  execute_process(COMMAND ${kalcore_shlibdeps} -O ${CPACK_KALCORE_RUNTIME_SHLIBDEPS}
    WORKING_DIRECTORY ${CPACK_KALCORE_SHLIBDEPS_DIR}
    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE "^shlibs:Depends=" "" CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${found}")
endif()
