#pragma once

#include <string>
#include <string_view>

namespace windowcore {

// Called by every front end's dialogs for their prompts and messages: the game breaks lines with
// a lone carriage return, while each platform's dialogs break them their own way (Windows'
// static texts and message boxes reliably only on CR LF, FLTK's labels and the page's text on a
// line feed). Every kind of break, CR, CR LF or LF, comes out as `lineBreak`. Changes nothing.
std::string withLineBreaks(std::string_view text, std::string_view lineBreak);

}  // namespace windowcore
