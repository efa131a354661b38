#include "hosts/fltk/text_runs.h"

#include <fribidi.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/utf8.h"

namespace fltkhost {

namespace {

// What FriBidi leaves in place of the second letter of a ligature it made.
constexpr char32_t kLigatureFill = 0xFEFF;

bool readsRightToLeft(FriBidiCharType type) {
  return FRIBIDI_IS_RTL(type) || type == FRIBIDI_TYPE_AN;
}

// Marks and joiners have no place of their own: they belong to the character before them.
bool attachesToPrevious(char32_t c) {
  const FriBidiCharType type = fribidi_get_bidi_type(c);
  return type == FRIBIDI_TYPE_NSM || type == FRIBIDI_TYPE_BN;
}

}  // namespace

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
    const std::string bytes = toolkit::encodeUtf8(std::u32string_view(one, 1));
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
