#pragma once

#include <string>
#include <string_view>

namespace win32 {

// Called by the host for prompts and message texts: the game breaks lines with a lone carriage
// return, while edit-free static texts and message boxes on every Windows version break reliably
// only on CR LF. Existing CR LF pairs and lone line feeds all come out as CR LF. Changes nothing.
std::string windowsLineBreaks(std::string_view text);

}  // namespace win32
