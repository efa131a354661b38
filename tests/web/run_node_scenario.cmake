# Runs one scenario with the script driver built for node, exactly as the native scenario tests
# run the native driver, transcript comparison included.
if(NOT EXISTS "${DRIVER_JS}" OR NOT NODE)
  message("SKIPPED: the node script driver was not built (${DRIVER_JS})")
  return()
endif()
set(DRIVER ${NODE} ${DRIVER_JS})
include(${CMAKE_CURRENT_LIST_DIR}/../scenarios/run_scenario.cmake)
