#include "toolkit/utf8.h"

#include <cstddef>
#include <cstdint>

namespace toolkit {

namespace {

// The length of the well-formed character starting at text[at], and the character; 0 if none.
std::size_t decodeOne(std::string_view text, std::size_t at, char32_t& out) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(at);
  if (lead < 0x80) {
    out = lead;
    return 1;
  }
  std::size_t length = 0;
  char32_t value = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
    least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
    least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
    least = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(at + i) & 0x3F);
  }
  // Overlong forms, surrogates and values past Unicode's end are not characters.
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  out = value;
  return length;
}

}  // namespace

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const Utf8Character c = utf8CharacterAt(utf8, at);
    out += c.value;
    at += c.size;
  }
  return out;
}

std::size_t utf8CharacterSize(std::string_view utf8, std::size_t at) {
  return utf8CharacterAt(utf8, at).size;
}

Utf8Character utf8CharacterAt(std::string_view utf8, std::size_t at) {
  char32_t c = 0;
  const std::size_t length = decodeOne(utf8, at, c);
  return length == 0 ? Utf8Character{kReplacementCharacter, 1} : Utf8Character{c, length};
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string encodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) appendUtf8(out, c);
  return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (const char32_t c : decodeUtf8(utf8)) {
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
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (utf16[++i] - 0xDC00));
    } else {
      appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacementCharacter : unit);
    }
  }
  return out;
}

}  // namespace toolkit
