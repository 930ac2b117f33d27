# kalcore_manual_page(PAGE COMPONENT): installs the manual page PAGE (a file
# name such as kalc.1 in the calling directory) compressed, as Debian
# installs manual pages, into the section its suffix names.
find_program(KALCORE_GZIP gzip REQUIRED)
function(kalcore_manual_page page component)
  get_filename_component(name ${page} NAME)
  string(REGEX MATCH "[0-9]$" section ${name})
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${KALCORE_GZIP} -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/${page} > ${compressed}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${page}
    VERBATIM)
  string(REGEX REPLACE "\\.[0-9]$" "" program ${name})
  add_custom_target(${program}_manual_page ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${component})
endfunction()
