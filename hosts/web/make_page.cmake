# Writes a page from page.html: with INLINE, the game's single-file script goes inside the page;
# without, the page loads quintoz.js from beside it.
file(READ ${TEMPLATE} page)
if(INLINE)
  file(READ ${INLINE} script)
  # The script must not end the element that holds it.
  string(REPLACE "</script" "<\\/script" script "${script}")
  set(game "<script>\n${script}\n</script>")
else()
  set(game "<script src=\"quintoz.js\"></script>")
endif()
string(REPLACE "<!-- QUINTOZ-GAME -->" "${game}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
