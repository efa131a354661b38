# Runs a whole scripted game under strace and fails if the game opened any picture or sound
# file: they are built into the program and must be read from memory.
if(NOT STRACE)
  # The test's SKIP_REGULAR_EXPRESSION turns this line into a CTest skip.
  message("SKIPPED: strace is not installed (apt-get install strace), so the files the game "
          "opens cannot be watched")
  return()
endif()
execute_process(COMMAND ${STRACE} -f -e trace=open,openat,creat -o ${TRACE} ${DRIVER} ${SCRIPT}
                OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the traced run failed with status ${status}")
endif()
file(STRINGS ${TRACE} opens REGEX "open")
list(LENGTH opens count)
if(count EQUAL 0)
  message(FATAL_ERROR "strace recorded no file opens at all; the trace is not working")
endif()
foreach(line IN LISTS opens)
  if(line MATCHES "\\.(bmp|gif|ico|wav)\"" OR line MATCHES "/assets/")
    message(FATAL_ERROR "the game opened an asset file at run time: ${line}")
  endif()
endforeach()
