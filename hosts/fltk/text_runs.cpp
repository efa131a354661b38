#include "hosts/fltk/text_runs.h"

#include <fribidi.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fltkhost {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// What FriBidi leaves in place of the second letter of a ligature it made.
constexpr char32_t kLigatureFill = 0xFEFF;

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

bool readsRightToLeft(FriBidiCharType type) {
  return FRIBIDI_IS_RTL(type) || type == FRIBIDI_TYPE_AN;
}

// Marks and joiners have no place of their own: they belong to the character before them.
bool attachesToPrevious(char32_t c) {
  const FriBidiCharType type = fribidi_get_bidi_type(c);
  return type == FRIBIDI_TYPE_NSM || type == FRIBIDI_TYPE_BN;
}

}  // namespace

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    char32_t c = 0;
    const std::size_t length = decodeOne(utf8, at, c);
    out += length == 0 ? kReplacement : c;
    at += std::max<std::size_t>(length, 1);
  }
  return out;
}

std::string encodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
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
  return out;
}

std::u32string visualOrder(std::u32string_view logical) {
  const auto length = static_cast<FriBidiStrIndex>(logical.size());
  std::vector<FriBidiChar> chars(logical.begin(), logical.end());
  std::vector<FriBidiCharType> types(chars.size());
  fribidi_get_bidi_types(chars.data(), length, types.data());
  if (std::none_of(types.begin(), types.end(), readsRightToLeft)) return std::u32string(logical);

  std::vector<FriBidiBracketType> brackets(chars.size());
  fribidi_get_bracket_types(chars.data(), length, types.data(), brackets.data());
  std::vector<FriBidiLevel> levels(chars.size());
  FriBidiParType direction = FRIBIDI_PAR_LTR;
  if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &direction,
                                          levels.data()) == 0) {
    return std::u32string(logical);
  }
  std::vector<FriBidiArabicProp> joining(chars.size());
  fribidi_get_joining_types(chars.data(), length, joining.data());
  fribidi_join_arabic(types.data(), length, levels.data(), joining.data());
  constexpr FriBidiFlags kFlags = FRIBIDI_FLAGS_DEFAULT | FRIBIDI_FLAGS_ARABIC;
  fribidi_shape(kFlags, levels.data(), length, joining.data(), chars.data());
  if (fribidi_reorder_line(kFlags, types.data(), length, 0, direction, levels.data(), chars.data(),
                           nullptr) == 0) {
    return std::u32string(logical);
  }
  std::u32string visual;
  visual.reserve(chars.size());
  for (FriBidiChar c : chars) {
    if (c != kLigatureFill) visual += static_cast<char32_t>(c);
  }
  return visual;
}

std::vector<TextRun> splitRuns(std::u32string_view visual,
                               const std::function<int(char32_t)>& faceOf) {
  std::vector<TextRun> runs;
  for (char32_t c : visual) {
    const char32_t one[] = {c};
    const std::string bytes = encodeUtf8(std::u32string_view(one, 1));
    if (!runs.empty() && attachesToPrevious(c)) {
      runs.back().utf8 += bytes;
      continue;
    }
    const int face = faceOf(c);
    if (runs.empty() || runs.back().face != face) {
      runs.push_back({face, bytes});
    } else {
      runs.back().utf8 += bytes;
    }
  }
  return runs;
}

}  // namespace fltkhost
