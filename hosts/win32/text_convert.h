#pragma once

#include <string>
#include <string_view>

// Conversions between the game's UTF-8 text and the UTF-16 that the wide Windows calls take.
// They are written out here rather than left to the system so that the native tests can check
// them and so that malformed input behaves the same everywhere.
namespace win32 {

// Called by the host before any text reaches a window or a dialog. Malformed or overlong byte
// sequences and encoded surrogates each become U+FFFD; nothing else is changed.
std::u16string utf8ToUtf16(std::string_view utf8);

// Called by the host for text typed into the input box. An unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// Called by the host for prompts and message texts: the game breaks lines with a lone carriage
// return, while edit-free static texts and message boxes on every Windows version break reliably
// only on CR LF. Existing CR LF pairs and lone line feeds all come out as CR LF.
std::string windowsLineBreaks(std::string_view text);

}  // namespace win32
