# Writes a page from page.html, with start.js inside it:
# - with INLINE (the game's single-file script), the page that plays from disk, the game inside,
#   with a Content-Security-Policy that allows only what the file holds;
# - with SITE (a folder already holding quintoz.js and quintoz.wasm), the served site: its
#   index.html, the web app manifests and the service worker, with the release named by VERSION
#   and a hash of every file, and a Content-Security-Policy that allows the site's own files.
# The page holds its language (LANGUAGE), the dialogs (DIALOGS) and start.js inline; start.js is given the game's first
# question, and the site its window's colour, both asked of the game by the native script
# driver (SCRIPT_DRIVER, quintoz-script).
# Usage: cmake -DTEMPLATE=page.html -DLANGUAGE=language.js -DDIALOGS=dialogs.js -DSTART=start.js
#   -DSCRIPT_DRIVER=... -DPO_DIR=po -DMO_DIR=... -DLINGUAS=de,pl,... -DOUTPUT=... -DVERSION=... (-DINLINE=... | -DSITE=... -DSW=sw.js
#   -DMANIFEST=manifest.webmanifest) -P this

# The base64 of a SHA-256 given in hex, as a Content-Security-Policy names an inline block.
function(hex_to_base64 hex out)
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" length)
  set(text "")
  set(at 0)
  while(at LESS length)
    # Three bytes (six hex digits) make four characters; a SHA-256 leaves two bytes at the end.
    math(EXPR left "${length} - ${at}")
    if(left GREATER_EQUAL 6)
      string(SUBSTRING "${hex}" ${at} 6 group)
      math(EXPR value "0x${group}")
      set(chars 4)
    else()
      string(SUBSTRING "${hex}" ${at} 4 group)
      math(EXPR value "0x${group} << 8")
      set(chars 3)
    endif()
    foreach(shift 18 12 6 0)
      if(chars GREATER 0)
        math(EXPR index "(${value} >> ${shift}) & 63")
        string(SUBSTRING "${alphabet}" ${index} 1 char)
        string(APPEND text "${char}")
        math(EXPR chars "${chars} - 1")
      else()
        string(APPEND text "=")
      endif()
    endforeach()
    math(EXPR at "${at} + 6")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(csp_hash text out)
  string(SHA256 hex "${text}")
  hex_to_base64("${hex}" base64)
  set(${out} "'sha256-${base64}'" PARENT_SCOPE)
endfunction()

file(READ ${TEMPLATE} page)
set(start "")
foreach(script ${LANGUAGE} ${DIALOGS} ${START})
  file(READ ${script} text)
  # Comment lines and indentation are for the source's readers; every visit would download them.
  string(REGEX REPLACE "\n[ ]*//[^\n]*" "" text "\n${text}")
  string(REGEX REPLACE "\n[ ]+" "\n" text "${text}")
  string(APPEND start "${text}")
endforeach()
# The game's first question and its window's colour, asked of the game itself: the script driver
# plays its start-up, cancelling the questions, and tells each question as the game asked it.
set(ask ${OUTPUT}.ask.qscript)
file(WRITE ${ask} "print frmQuintoz.BackColor\ncancel\ncancel\nstart\n")
execute_process(COMMAND ${SCRIPT_DRIVER} ${ask} OUTPUT_VARIABLE asked RESULT_VARIABLE failed)
file(REMOVE ${ask})
if(failed OR NOT asked MATCHES "frmQuintoz.BackColor = \"(#[0-9a-f]+)\"")
  message(FATAL_ERROR "the script driver (${SCRIPT_DRIVER}) did not tell the window's colour")
endif()
set(BROWN ${CMAKE_MATCH_1})
# A board that fills a phone's screen stands on the window's own colour.
string(REPLACE "@QUINTOZ_BROWN@" "${BROWN}" page "${page}")
# The first input box's text, title and default answer, as a JSON object (which JavaScript reads
# the same).
if(NOT asked MATCHES "\ninputbox ({[^\n]*}) -> cancel\n")
  message(FATAL_ERROR "the script driver (${SCRIPT_DRIVER}) did not tell the first question")
endif()
string(REPLACE "/* QUINTOZ-FIRST-PROMPT */ null" "${CMAKE_MATCH_1}" start "${start}")

# The translation of `word` in the catalogue text `po`, as the catalogue writes it, quotes and
# all, on one line or continued on the next ones: its escapes (\", \\, \n) are JSON's too.
function(translation po lang word out)
  string(REGEX REPLACE "([][.?*+^$()|\\])" "\\\\\\1" pattern "${word}")
  if(NOT po MATCHES "\nmsgid \"${pattern}\"\nmsgstr (\"[^\n]*\"(\n\"[^\n]*\")*)")
    message(FATAL_ERROR "po/${lang}.po does not translate \"${word}\"")
  endif()
  string(REPLACE "\"\n\"" "" translated "${CMAKE_MATCH_1}")
  set(${out} "${translated}" PARENT_SCOPE)
endfunction()

# The site's manifest describes the game in English; each language has one of its own, which
# the page links to instead (language.js), so that the installed game describes itself in it.
if(NOT INLINE)
  file(READ ${MANIFEST} manifest)
  string(REPLACE "@QUINTOZ_BROWN@" "${BROWN}" manifest "${manifest}")
  if(NOT manifest MATCHES "\"description\": \"([^\"]*)\"")
    message(FATAL_ERROR "${MANIFEST} has no description")
  endif()
  set(description "${CMAKE_MATCH_1}")
endif()

# Each language's first question, asked of the game in that language, and the page's own words
# from its catalogue (po/<code>.po): the page chooses one of them as it loads (language.js).
set(page_words "OK" "Cancel" "Yes" "No" "Quintoz has ended." "Play again"
               "Quintoz could not run in this browser: %s")
set(languages "")
set(catalogues "")
set(site_manifests "")
string(REPLACE "," ";" LINGUAS "${LINGUAS}")
foreach(lang ${LINGUAS})
  file(WRITE ${ask} "language ${lang}\ncancel\ncancel\nstart\n")
  execute_process(COMMAND ${SCRIPT_DRIVER} ${ask} OUTPUT_VARIABLE asked_in RESULT_VARIABLE failed)
  file(REMOVE ${ask})
  # The transcript's first line is the first question.
  if(failed OR NOT "\n${asked_in}" MATCHES "\ninputbox ({[^\n]*}) -> cancel\n")
    message(FATAL_ERROR "the script driver did not tell the first question in ${lang}")
  endif()
  set(question "${CMAKE_MATCH_1}")
  file(READ ${PO_DIR}/${lang}.po po)
  set(words "")
  foreach(word ${page_words})
    translation("${po}" ${lang} "${word}" translated)
    string(APPEND words "${words_comma}\"${word}\": ${translated}")
    set(words_comma ", ")
  endforeach()
  set(words_comma "")
  # The game's catalogue: a file of the site, fetched only by a page in that language, or in the
  # single-file page, in hexadecimal.
  if(INLINE)
    file(READ ${MO_DIR}/${lang}.mo hex HEX)
    string(APPEND catalogues "${languages_comma}\"${lang}\": \"${hex}\"")
  else()
    file(COPY_FILE ${MO_DIR}/${lang}.mo ${SITE}/quintoz-${lang}.mo ONLY_IF_DIFFERENT)
    list(APPEND site_catalogues quintoz-${lang}.mo)
    translation("${po}" ${lang} "${description}" translated)
    string(REPLACE "\"description\": \"${description}\"" "\"description\": ${translated}"
           translated_manifest "${manifest}")
    string(REPLACE "_" "-" tag ${lang})
    string(REPLACE "\"lang\": \"en\"" "\"lang\": \"${tag}\"" translated_manifest
           "${translated_manifest}")
    file(WRITE ${SITE}/manifest-${lang}.webmanifest "${translated_manifest}")
    list(APPEND site_manifests manifest-${lang}.webmanifest)
  endif()
  string(APPEND languages "${languages_comma}\"${lang}\": {\"question\": ${question}, \"words\": {${words}}}")
  set(languages_comma ",\n")
endforeach()
string(REPLACE "/* QUINTOZ-LANGUAGES */ {}" "{${languages}}" start "${start}")
if(NOT INLINE)
  string(REPLACE "/* QUINTOZ-MANIFESTS */ false" "true" start "${start}")
endif()
string(REPLACE "/* QUINTOZ-CATALOGUES */ {}" "{${catalogues}}" start "${start}")

# The release: the version and a hash of everything the page is made of, so that any change to
# a file makes a new cache and new names for the script and the WebAssembly, and a game kept by
# another release is not replayed.
set(icons icon-192.png icon-512.png icon-maskable-512.png)
if(INLINE)
  file(SHA256 ${INLINE} release)
else()
  set(hashes "${VERSION} ${asked}")
  foreach(path ${SITE}/quintoz.js ${SITE}/quintoz.wasm ${TEMPLATE} ${LANGUAGE} ${DIALOGS}
               ${START} ${SW}
               ${MANIFEST})
    file(SHA256 ${path} hash)
    string(APPEND hashes " ${hash}")
  endforeach()
  foreach(file ${icons} ${site_catalogues} ${site_manifests})
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND hashes " ${hash}")
  endforeach()
  string(SHA256 release "${hashes}")
endif()
string(SUBSTRING "${release}" 0 16 release)
string(REPLACE "/* QUINTOZ-RELEASE */ ''" "'${VERSION}-${release}'" start "${start}")
if(NOT INLINE)
  string(REPLACE "/* QUINTOZ-QUERY */ ''" "'?v=${release}'" start "${start}")
endif()
string(REPLACE "<!-- QUINTOZ-START -->" "<script>${start}</script>" page "${page}")
string(REGEX MATCH "<style>[^<]*</style>" style "${page}")
string(REGEX REPLACE "^<style>(.*)</style>$" "\\1" style "${style}")
csp_hash("${start}" start_hash)
csp_hash("${style}" style_hash)
if(INLINE)
  file(READ ${INLINE} script)
  # The script must not end the element that holds it.
  string(REPLACE "</script" "<\\/script" script "${script}")
  set(script "\n${script}\n")
  csp_hash("${script}" script_hash)
  string(REPLACE "<!-- QUINTOZ-GAME -->" "<script>${script}</script>" page "${page}")
  # Nothing from outside the file: its own scripts and style by their hashes, and its
  # WebAssembly, which it carries inside. No icon: a page on disk would otherwise look for one
  # beside it.
  string(JOIN "; " csp "default-src 'none'"
              "script-src 'wasm-unsafe-eval' ${script_hash} ${start_hash}"
              "style-src ${style_hash}" "img-src data:" "connect-src data:" "base-uri 'none'"
              "form-action 'none'")
  string(REPLACE "<!-- QUINTOZ-HEAD -->"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"${csp}\">
<link rel=\"icon\" href=\"data:,\">" page "${page}")
  file(WRITE ${OUTPUT} "${page}")
  return()
endif()

set(query "?v=${release}")

# Only the site's own files; WebAssembly compiles under 'wasm-unsafe-eval', the inline starter
# and style are allowed by their hashes, and the window's icon, which the game draws at the
# screen's density, is a data: picture.
string(JOIN "; " csp "default-src 'self'" "script-src 'self' 'wasm-unsafe-eval' ${start_hash}"
            "style-src 'self' ${style_hash}" "img-src 'self' data:" "object-src 'none'"
            "base-uri 'none'" "form-action 'none'")
set(head "<meta http-equiv=\"Content-Security-Policy\" content=\"${csp}\">
<meta name=\"theme-color\" content=\"${BROWN}\">
<link rel=\"icon\" href=\"icon-192.png\" sizes=\"192x192\">
<link rel=\"apple-touch-icon\" href=\"icon-192.png\">
<link rel=\"preload\" href=\"quintoz.wasm${query}\" as=\"fetch\" crossorigin>")
# The WebAssembly starts downloading with the page instead of after the script has run; the
# script's own request (same origin, no credentials beyond it) then takes it from here.
string(REPLACE "<!-- QUINTOZ-HEAD -->" "${head}" page "${page}")
# Deferred: the page and its first question show while the script loads.
string(REPLACE "<!-- QUINTOZ-GAME -->" "<script src=\"quintoz.js${query}\" defer></script>" page
       "${page}")
file(WRITE ${OUTPUT} "${page}")

file(WRITE ${SITE}/manifest.webmanifest "${manifest}")

set(files "'./', 'quintoz.js${query}', 'quintoz.wasm${query}', 'manifest.webmanifest'")
foreach(icon ${icons})
  string(APPEND files ", '${icon}'")
endforeach()
file(READ ${SW} worker)
string(REPLACE "@QUINTOZ_RELEASE@" "${VERSION}-${release}" worker "${worker}")
string(REPLACE "@QUINTOZ_FILES@" "${files}" worker "${worker}")
file(WRITE ${SITE}/sw.js "${worker}")
