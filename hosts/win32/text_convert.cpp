#include "hosts/win32/text_convert.h"

#include <cstdint>

#include "toolkit/utf8.h"

namespace win32 {

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (const char32_t c : toolkit::decodeUtf8(utf8)) {
    if (c < 0x10000) {
      out += static_cast<char16_t>(c);
    } else {
      const char32_t v = c - 0x10000;
      out += static_cast<char16_t>(0xD800 + (v >> 10));
      out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    }
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      const char32_t high = unit - 0xD800;
      const char32_t low = utf16[i + 1] - 0xDC00;
      toolkit::appendUtf8(out, 0x10000 + ((high << 10) | low));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      toolkit::appendUtf8(out, toolkit::kReplacementCharacter);
    } else {
      toolkit::appendUtf8(out, unit);
    }
  }
  return out;
}

std::string windowsLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace win32
