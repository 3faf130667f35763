# SPDX-License-Identifier: MIT
# Fails, naming them, when source files under ROOT lack the project's licence
# line (SPDX-License-Identifier: MIT) in their first three lines.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE sources RELATIVE ${ROOT}
  ${ROOT}/*.cpp ${ROOT}/*.h ${ROOT}/*.cmake ${ROOT}/*.sh ${ROOT}/*.py ${ROOT}/*.ui ${ROOT}/*.qrc
  ${ROOT}/*.desktop ${ROOT}/*.in ${ROOT}/CMakeLists.txt ${ROOT}/Makefile)
# Formats that take no comment: the Debian changelog, and the copyright file,
# which states the licence itself.
set(exempt packaging/changelog.Debian.in packaging/copyright.in)
set(missing "")
foreach(source IN LISTS sources)
  if(source MATCHES "^(build|data)[^/]*/|/build/|^\\.git/" OR source IN_LIST exempt)
    continue()
  endif()
  file(STRINGS ${ROOT}/${source} head LIMIT_COUNT 3)
  if(NOT head MATCHES "SPDX-License-Identifier: MIT")
    list(APPEND missing ${source})
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " lines)
  message(FATAL_ERROR "without the licence line:\n  ${lines}")
endif()
