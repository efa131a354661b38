#pragma once

#include <string>
#include <string_view>

#include "toolkit/utf8.h"

namespace win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

// Called wherever UTF-8 text from the game goes to a wide Windows call. Changes nothing.
inline std::wstring wideText(std::string_view utf8) {
  const std::u16string units = toolkit::utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

// Called wherever wide text from Windows goes back to the game. Changes nothing.
inline std::string narrowText(std::wstring_view wide) {
  const std::u16string units(wide.begin(), wide.end());
  return toolkit::utf16ToUtf8(units);
}

}  // namespace win32
