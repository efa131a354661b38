# Run by the test i18n.catalogues. Fails, naming the language and what is wrong, when:
# - xgettext, run on the source as `update-pot` runs it, gives another template than
#   po/quintoz.pot (a text was marked, changed or unmarked without regenerating it);
# - a catalogue fails msgfmt --check, or leaves an entry of the template untranslated or fuzzy;
# - a .po file of po/ is missing from po/LINGUAS, or a language there has no .po file.
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
foreach(tool MSGFMT MSGCMP XGETTEXT)
  if(NOT ${tool})
    message(FATAL_ERROR "${tool} was not found; install gettext")
  endif()
endforeach()
set(po "${SOURCE_DIR}/po")
set(failures "")

# The template, extracted again, has the same texts as the committed one (compared text by
# text, so that another gettext's way of writing the file is no difference).
set(fresh "${WORK_DIR}/quintoz.pot")
execute_process(COMMAND "${XGETTEXT}" ${XGETTEXT_ARGS} -o "${fresh}" ${SOURCES}
                WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE status ERROR_VARIABLE said)
if(NOT status EQUAL 0 OR NOT said STREQUAL "")
  string(APPEND failures "xgettext: ${said}\n")
endif()
foreach(pair "${po}/quintoz.pot;${fresh}" "${fresh};${po}/quintoz.pot")
  execute_process(COMMAND "${MSGCMP}" --use-untranslated ${pair}
                  RESULT_VARIABLE status ERROR_VARIABLE said)
  if(NOT status EQUAL 0)
    string(APPEND failures
           "po/quintoz.pot is not what the source marks; run the update-pot target:\n${said}")
  endif()
endforeach()

file(GLOB po_files RELATIVE "${po}" "${po}/*.po")
foreach(file IN LISTS po_files)
  string(REGEX REPLACE "\\.po$" "" lang "${file}")
  if(NOT lang IN_LIST LINGUAS)
    string(APPEND failures "po/${file} is not listed in po/LINGUAS\n")
  endif()
endforeach()

foreach(lang IN LISTS LINGUAS)
  set(file "${po}/${lang}.po")
  if(NOT EXISTS "${file}")
    string(APPEND failures "${lang}: po/${lang}.po is missing\n")
    continue()
  endif()
  execute_process(COMMAND "${MSGFMT}" --check --statistics -o /dev/null "${file}"
                  RESULT_VARIABLE status ERROR_VARIABLE said OUTPUT_VARIABLE said_too)
  string(APPEND said "${said_too}")
  if(NOT status EQUAL 0 OR said MATCHES "fuzzy|untranslated")
    string(APPEND failures "${lang}: msgfmt --check: ${said}")
  endif()
  # Every entry of the template has its translation here, and nothing else is.
  execute_process(COMMAND "${MSGCMP}" "${file}" "${po}/quintoz.pot"
                  RESULT_VARIABLE status ERROR_VARIABLE said)
  if(NOT status EQUAL 0)
    string(APPEND failures "${lang}: not every text of the template is translated: ${said}")
  endif()
  execute_process(COMMAND "${MSGCMP}" "${po}/quintoz.pot" "${file}" --use-untranslated
                  RESULT_VARIABLE status ERROR_VARIABLE said)
  if(NOT status EQUAL 0)
    string(APPEND failures "${lang}: entries the template no longer has: ${said}")
  endif()
endforeach()

if(NOT failures STREQUAL "")
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "template and catalogues (${LINGUAS}) agree")
