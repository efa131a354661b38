# Runs the asset generator into a scratch folder and compares every file it writes with the
# committed copy. Usage: cmake -DGENERATOR=... -DASSET_DIR=... -DWORK_DIR=... -P this-file

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${GENERATOR}" "${WORK_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the asset generator failed: ${result}")
endif()

file(GLOB_RECURSE generated RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
list(LENGTH generated count)
if(count EQUAL 0)
  message(FATAL_ERROR "the asset generator wrote nothing")
endif()
set(stale)
foreach(name IN LISTS generated)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                          "${WORK_DIR}/${name}" "${ASSET_DIR}/${name}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    list(APPEND stale "${name}")
  endif()
endforeach()
if(stale)
  message(FATAL_ERROR "committed assets differ from the generator's output: ${stale}\n"
                      "Build the generate-assets target and commit the result.")
endif()
message(STATUS "all ${count} generated files match the committed assets")
