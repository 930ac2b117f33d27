# Debian packages, made by CPack from the install rules' components:
#   cpack --config build/CPackConfig.cmake -B build/packages
#
#   libkalcore3            runtime      the shared library; needs only the C and C++ runtime
#   libkalcore3-dialogs    dialogs      the Qt module that draws the library's dialogs
#   libkalcore-dev         development  header, libkalcore.so, CMake package, kalcore.pc
#   kalc                   kalc         the command-line front end, its manual page and completion
#   kaldate                kaldate      the desktop demo and its manual page
#   python3-kalcore        python       the Python package (architecture all)
#   libsqlite3-mod-kalcore sqlite       the SQLite extension
#   postgresql-NN-kalcore  postgresql   the PostgreSQL extension, NN from pg_config
#
# Each package holds its copyright file and changelog (packaging/debian/).
# Dependencies on system libraries come from dpkg-shlibdeps; the packages
# that use the library depend on it by version. libkalcore3's symbols file
# is made from the export list (kalcore/exports/kalcore.def), so every export
# is in it; the loader's cache is refreshed through dpkg's ldconfig trigger.
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
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack would write maintainer scripts calling ldconfig for the package with
# the shared library, and a shlibs file of its own; libkalcore3 gets neither:
# packaging/cpack_project.cmake asks dpkg-shlibdeps for its dependencies at
# packaging time, and its control files come from here.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack_project.cmake)
set(CPACK_KALCORE_SHLIBDEPS_DIR ${PROJECT_BINARY_DIR}/packaging/shlibdeps)

set(kalcore_exact "libkalcore3 (= ${PROJECT_VERSION})")
set(kalcore_at_least "libkalcore3 (>= ${PROJECT_VERSION})")
set(control ${PROJECT_BINARY_DIR}/packaging/control)

# libkalcore3: the symbols file lists every export of kalcore.def at this
# version (what a program built now may use), the shlibs file says the same
# for tools that read only shlibs, and the trigger runs ldconfig once after
# dpkg has unpacked everything.
list(SORT KALCORE_EXPORTS)
set(symbols "libkalcore.so.${PROJECT_VERSION_MAJOR} libkalcore3 #MINVER#\n")
string(APPEND symbols "* Build-Depends-Package: libkalcore-dev\n")
foreach(name IN LISTS KALCORE_EXPORTS)
  string(APPEND symbols " ${name}@Base ${PROJECT_VERSION}\n")
endforeach()
file(WRITE ${control}/runtime/symbols "${symbols}")
file(WRITE ${control}/runtime/shlibs "libkalcore ${PROJECT_VERSION_MAJOR} ${kalcore_at_least}\n")
file(WRITE ${control}/runtime/triggers "activate-noawait ldconfig\n")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libkalcore3)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SUGGESTS libkalcore3-dialogs)
set(CPACK_KALCORE_RUNTIME_SHLIBDEPS ${PROJECT_BINARY_DIR}/kalcore/libkalcore.so.${PROJECT_VERSION})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
  "${control}/runtime/symbols;${control}/runtime/shlibs;${control}/runtime/triggers")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "date toolkit for the change of century (shared library)
kalcore reads a date in 40 fixed layouts, further forms and the keywords
TODAY, NOW and YESTER, gives a two-digit year the century the caller
selects, validates it and writes it in 48 output formats. It counts,
moves and measures dates, gives Julian dates, days of the week, working
days past weekends and holidays, daylight-saving dates and Easter.
.
The library needs nothing but the C and C++ runtime. Its dialogs are drawn
by an optional module (libkalcore3-dialogs); without it they report that
they cannot be shown.")

set(CPACK_DEBIAN_DIALOGS_PACKAGE_NAME libkalcore3-dialogs)
set(CPACK_DEBIAN_DIALOGS_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DIALOGS_PACKAGE_DEPENDS ${kalcore_exact})
set(CPACK_COMPONENT_DIALOGS_DESCRIPTION
  "date toolkit for the change of century (dialogs on the desktop)
The Qt 6 Widgets module that libkalcore3 loads from beside itself to
show its dialogs and information boxes (help on the date formats,
information about the library) on an X11 or Wayland desktop.")

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
# The demo loads the library by file name when it starts, and opens the
# library's dialogs from several screens.
set(CPACK_DEBIAN_KALDATE_PACKAGE_DEPENDS
  "${kalcore_exact}, libkalcore3-dialogs (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_KALDATE_DESCRIPTION
  "desktop demo of the kalcore date library
kaldate shows every function of the kalcore library on its own screen:
type a date in any supported form and see it validated, converted,
counted and taken apart.")

set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-kalcore)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3:any, ${kalcore_at_least}")
set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS python3-numpy)
# Byte-compiled on installation and cleaned on removal, as Debian's Python
# packages are.
set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
  "${PROJECT_SOURCE_DIR}/packaging/debian/python3-kalcore/postinst;${PROJECT_SOURCE_DIR}/packaging/debian/python3-kalcore/prerm")
set(CPACK_COMPONENT_PYTHON_DESCRIPTION
  "date toolkit for the change of century (Python 3 package)
The kalcore package calls the kalcore library through ctypes: read a date
in dozens of layouts, give a two-digit year its century, write it in any of
48 formats, and count, move and measure dates.")

set(CPACK_DEBIAN_SQLITE_PACKAGE_NAME libsqlite3-mod-kalcore)
set(CPACK_DEBIAN_SQLITE_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_SQLITE_PACKAGE_DEPENDS ${kalcore_at_least})
set(CPACK_COMPONENT_SQLITE_DESCRIPTION
  "date toolkit for the change of century (SQLite extension)
SQL functions over the kalcore library for SQLite: read, validate, convert
and count dates with two-digit years in queries. The sqlite3 shell loads it
with .load /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/sqlite3/kalcore_sqlite.")

if(KALCORE_PG_CONFIG)
  execute_process(COMMAND ${KALCORE_PG_CONFIG} --version OUTPUT_VARIABLE pg_version)
  string(REGEX MATCH "[0-9]+" pg_major "${pg_version}")
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_NAME postgresql-${pg_major}-kalcore)
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_SECTION database)
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_DEPENDS "postgresql-${pg_major}, ${kalcore_at_least}")
  set(CPACK_COMPONENT_POSTGRESQL_DESCRIPTION
    "date toolkit for the change of century (PostgreSQL ${pg_major} extension)
SQL functions over the kalcore library for PostgreSQL: read, validate,
convert and count dates with two-digit years in queries.
CREATE EXTENSION kalcore makes them in a database.")
endif()

# The packages of the parts this build makes: component and the target it needs.
set(CPACK_COMPONENTS_ALL runtime development kalc python)
foreach(part IN ITEMS dialogs:kalcore_dialogs kaldate:kaldate sqlite:kalcore_sqlite
        postgresql:kalcore_pg)
  string(REPLACE ":" ";" part ${part})
  list(GET part 1 target)
  if(TARGET ${target})
    list(GET part 0 component)
    list(APPEND CPACK_COMPONENTS_ALL ${component})
  endif()
endforeach()

# The copyright file and the changelog of every package, in its own
# documentation directory.
execute_process(COMMAND ${KALCORE_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
  OUTPUT_FILE ${control}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${component} upper)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${control}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
    COMPONENT ${component})
endforeach()
include(CPack)
