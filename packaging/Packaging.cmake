# SPDX-License-Identifier: MIT
# Debian packages, made by `make package` (CPack's DEB generator; included by
# the top-level CMakeLists.txt, where CPack must be): helune (the
# programs and what the desktop and the shells read), libhelune-ephemeris0
# (the engine's shared library) and libhelune-ephemeris-dev (its headers, the
# static library, the CMake and pkg-config files). Each carries its copyright
# and changelogs; the dependencies on shared libraries come from dpkg-shlibdeps.
# Each description is one string: its first line the synopsis, then the
# extended description, a lone "." for an empty line.
include(GNUInstallDirs)
set(HELUNE_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

set(HELUNE_MAINTAINER "Velmora <helune@velmora.example>")
set(HELUNE_DEB_VERSION ${PROJECT_VERSION}-1)
# RFC 2822 date of the release, for the Debian changelog.
execute_process(COMMAND date -u -R -d "${HELUNE_RELEASE_DATE}" OUTPUT_VARIABLE HELUNE_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${HELUNE_PACKAGING_DIR}/copyright @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${HELUNE_PACKAGING_DIR}/changelog.Debian @ONLY)
set(compressed_changelogs)
foreach(log IN ITEMS changelog.Debian CHANGELOG.md)
  set(source ${HELUNE_PACKAGING_DIR}/${log})
  if(log STREQUAL CHANGELOG.md)
    set(source ${CMAKE_SOURCE_DIR}/CHANGELOG.md)
  endif()
  string(REPLACE "CHANGELOG.md" "changelog" name ${log})
  add_custom_command(OUTPUT ${HELUNE_PACKAGING_DIR}/${name}.gz
    COMMAND gzip -9nc ${source} > ${HELUNE_PACKAGING_DIR}/${name}.gz
    DEPENDS ${source})
  list(APPEND compressed_changelogs ${HELUNE_PACKAGING_DIR}/${name}.gz)
endforeach()
add_custom_target(package-documents ALL DEPENDS ${compressed_changelogs})

# Each package's documents, and its one lintian override: these packages are
# not uploaded to Debian's archive, so no bug is there for them to close.
set(package_programs helune)
set(package_library libhelune-ephemeris${PROJECT_VERSION_MAJOR})
set(package_development libhelune-ephemeris-dev)
foreach(component IN ITEMS programs library development)
  set(package ${package_${component}})
  install(FILES ${HELUNE_PACKAGING_DIR}/copyright ${compressed_changelogs}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
  file(WRITE ${HELUNE_PACKAGING_DIR}/overrides/${package} "${package}: initial-upload-closes-no-bugs\n")
  install(FILES ${HELUNE_PACKAGING_DIR}/overrides/${package}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
# Each package's description carries its own synopsis: the project's summary,
# left at CPack's own default, is then not put before it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_NAME helune)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_CONTACT ${HELUNE_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs library development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Cross-built, the packages are of the architecture built for, not of this machine's.
if(CMAKE_CROSSCOMPILING)
  execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
                  OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME helune)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION science)
# Beside the shared libraries: the engine's, the window's platform plugin, the
# chart's font (metrics of Arial), and the zone tables of --place.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS
    "${package_library} (= ${HELUNE_DEB_VERSION}), qt6-qpa-plugins, fonts-liberation, tzdata")
# The programs link the engine's shared library, which dpkg-shlibdeps finds in
# the build (its package, made in the same run, is the dependency above).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/ephemeris)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "\
times of the Sun and the Moon for one day at one place
A small window shows, for one date and one place, when the Sun and the
Moon rise, cross the meridian and set, and the Moon's principal phases
around the date.
.
Its console, helune-cli, gives people and scripts the same engine: a
day's events with twilight and the golden hour, ranges of days, the
phases and seasons as calendars, the sky of an instant, the next event,
day or night, a wait for an event, and pictures of the year's daylight
and of the Moon's month.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${package_library})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# The loader's cache is refreshed by dpkg's trigger, not by maintainer scripts.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/triggers)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/without-ldconfig-scripts.cmake)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "\
ephemeris engine of the Sun and the Moon (shared library)
The Helune engine computes the positions of the Sun and the Moon from
VSOP87 and ELP-2000/82, their risings, transits and settings, twilight,
the Moon's phases, and the equinoxes and solstices, in universal
instants or for local dates.
.
This package holds the shared library that programs load.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${package_development})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${package_library} (= ${HELUNE_DEB_VERSION})")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "\
ephemeris engine of the Sun and the Moon (development files)
The Helune engine computes the positions of the Sun and the Moon from
VSOP87 and ELP-2000/82, their risings, transits and settings, twilight,
the Moon's phases, and the equinoxes and solstices.
.
This package holds the C++20 headers under include/helune, the static
library, and the files with which CMake (find_package(Helune)) and
pkg-config (helune-ephemeris) find the engine.")

include(CPack)
