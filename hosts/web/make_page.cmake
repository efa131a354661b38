# Writes a page from page.html: with INLINE, the game's single-file script goes inside the page;
# without, the page loads quintoz.js from beside it.
file(READ ${TEMPLATE} page)
if(INLINE)
  file(READ ${INLINE} script)
  # The script must not end the element that holds it.
  string(REPLACE "</script" "<\\/script" script "${script}")
  set(game "<script>\n${script}\n</script>")
  set(preload "")
else()
  set(game "<script src=\"quintoz.js\"></script>")
  # The WebAssembly starts downloading with the page instead of after the script has run; the
  # script's own request (same origin, no credentials beyond it) then takes it from here.
  set(preload "<link rel=\"preload\" href=\"quintoz.wasm\" as=\"fetch\" crossorigin>")
endif()
string(REPLACE "<!-- QUINTOZ-GAME -->" "${game}" page "${page}")
string(REPLACE "<!-- QUINTOZ-PRELOAD -->" "${preload}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
