# Runs one scenario script and compares its transcript when one is kept beside it.
execute_process(COMMAND ${DRIVER} ${SCRIPT}
                OUTPUT_VARIABLE transcript ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SCRIPT} stopped with status ${status}:\n${errors}\n--- output ---\n${transcript}")
endif()
string(REGEX REPLACE "\\.qscript$" ".out" expected_file "${SCRIPT}")
if(EXISTS ${expected_file})
  file(READ ${expected_file} expected)
  if(NOT transcript STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/actual.out "${transcript}")
    message(FATAL_ERROR "${SCRIPT}: the transcript differs from ${expected_file}\n--- got ---\n${transcript}")
  endif()
endif()
