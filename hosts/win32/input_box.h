#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Called by the host for the start-up questions. Shows a modal dialog owned by `owner` (which may
// be null before the window exists) with the prompt, an edit field holding defaultText selected,
// OK and Cancel. Enter presses OK; Escape and the close box cancel. Returns the typed text, or
// empty text when cancelled. Changes nothing else.
std::string showInputBox(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& defaultText);

}  // namespace win32
