# Debian packages, made by CPack from the install rules' components:
#   cpack --config build/CPackConfig.cmake -B build/packages
#
#   libkalcore3     runtime      the shared library (and its dialog module when built)
#   libkalcore-dev  development  header, libkalcore.so, CMake package, kalcore.pc
#   kalc            kalc         the command-line front end, its manual page and completion
#   kaldate         kaldate      the desktop demo (when built)
#
# Dependencies on system libraries come from dpkg-shlibdeps; the packages
# that use the library depend on it by version.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalcore)
set(CPACK_PACKAGE_VENDOR Kalendrix)
set(CPACK_PACKAGE_CONTACT "Kalendrix developers <dev@kalendrix.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Each package's description starts with its own summary line.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds the library the programs link in the build tree.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/kalcore)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(kalcore_exact "libkalcore3 (= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libkalcore3)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# A shlibs file and the ldconfig trigger, so that programs built against the
# package depend on it.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "date toolkit for the change of century (shared library)
kalcore reads a date in 40 fixed layouts, further forms and the keywords
TODAY, NOW and YESTER, gives a two-digit year the century the caller
selects, validates it and writes it in 48 output formats. It counts,
moves and measures dates, gives Julian dates, days of the week, working
days past weekends and holidays, daylight-saving dates and Easter.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libkalcore-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS ${kalcore_exact})
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
  "date toolkit for the change of century (development files)
The C header kalcore.h, the link to the shared library, the CMake package
(find_package(kalcore)) and the pkg-config file kalcore.pc.")

set(CPACK_DEBIAN_KALC_PACKAGE_NAME kalc)
set(CPACK_DEBIAN_KALC_PACKAGE_SECTION utils)
# kalc carries the library's operations inside it; it depends on the library
# of its own version all the same, so that the two never disagree about the
# configuration, holiday and conversion files they share.
set(CPACK_DEBIAN_KALC_PACKAGE_DEPENDS ${kalcore_exact})
set(CPACK_COMPONENT_KALC_DESCRIPTION
  "convert, check and count dates with two-digit years from the shell
kalc is the command-line front end of the kalcore library: it converts
dates between dozens of layouts (one per line of standard input, too),
counts and moves them, and gives working days, holidays, daylight-saving
dates and Easter. With a manual page and bash completion.")

set(CPACK_DEBIAN_KALDATE_PACKAGE_NAME kaldate)
set(CPACK_DEBIAN_KALDATE_PACKAGE_SECTION misc)
# The demo loads the library by file name when it starts.
set(CPACK_DEBIAN_KALDATE_PACKAGE_DEPENDS ${kalcore_exact})
set(CPACK_COMPONENT_KALDATE_DESCRIPTION
  "desktop demo of the kalcore date library
kaldate shows every function of the kalcore library on its own screen:
type a date in any supported form and see it validated, converted,
counted and taken apart.")

set(CPACK_COMPONENTS_ALL runtime development kalc)
if(TARGET kaldate)
  list(APPEND CPACK_COMPONENTS_ALL kaldate)
endif()
include(CPack)
