# SPDX-License-Identifier: MIT
# Runs helune-cli with ARGS (a ;-list) and checks its exit status (STATUS) and
# that its standard output or error matches EXPECT (a regular expression).
execute_process(COMMAND ${CLI} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstdout: ${out}\nstderr: ${err}")
endif()
if(NOT "${out}${err}" MATCHES "${EXPECT}")
  message(FATAL_ERROR "output does not match '${EXPECT}'\nstdout: ${out}\nstderr: ${err}")
endif()
