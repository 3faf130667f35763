# SPDX-License-Identifier: MIT
# Run by CPack after it has made the packages (CPACK_POST_BUILD_SCRIPTS). The
# shared library's package refreshes the loader's cache through dpkg's trigger
# (its triggers file); the ldconfig calls CPack writes into its postinst and
# postrm besides are dropped, and with them the scripts.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name ${package} NAME)
  if(NOT name MATCHES "^libhelune-ephemeris[0-9]+_")
    continue()
  endif()
  set(tree ${package}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${tree}/DEBIAN/postinst ${tree}/DEBIAN/postrm)
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${package}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
