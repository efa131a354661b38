#include "hosts/fltk/text_runs.h"

#include <fribidi.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace fltkhost {

namespace {

bool readsRightToLeft(FriBidiCharType type) {
  return FRIBIDI_IS_RTL(type) || type == FRIBIDI_TYPE_AN;
}

// Marks and joiners have no place of their own: they belong to the character before them.
bool attachesToPrevious(char32_t c) {
  const FriBidiCharType type = fribidi_get_bidi_type(c);
  return type == FRIBIDI_TYPE_NSM || type == FRIBIDI_TYPE_BN;
}

// The embedding level of each character and, for each place on screen from the left, the
// index of the character shown there. A line without right-to-left characters is all level 0
// in its own order.
void bidiOrder(std::u32string_view logical, std::vector<FriBidiLevel>& levels,
               std::vector<FriBidiStrIndex>& order) {
  const auto length = static_cast<FriBidiStrIndex>(logical.size());
  levels.assign(logical.size(), 0);
  order.resize(logical.size());
  std::iota(order.begin(), order.end(), 0);
  std::vector<FriBidiChar> chars(logical.begin(), logical.end());
  std::vector<FriBidiCharType> types(chars.size());
  fribidi_get_bidi_types(chars.data(), length, types.data());
  if (std::none_of(types.begin(), types.end(), readsRightToLeft)) return;
  std::vector<FriBidiBracketType> brackets(chars.size());
  fribidi_get_bracket_types(chars.data(), length, types.data(), brackets.data());
  FriBidiParType direction = FRIBIDI_PAR_LTR;
  // Marks are not moved after their base: each stays inside its run, which the shaper orders.
  if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &direction,
                                          levels.data()) == 0 ||
      fribidi_reorder_line(0, types.data(), length, 0, direction, levels.data(), nullptr,
                           order.data()) == 0) {
    levels.assign(logical.size(), 0);
    std::iota(order.begin(), order.end(), 0);
  }
}

}  // namespace

std::vector<TextRun> splitRuns(std::u32string_view logical,
                               const std::function<int(char32_t)>& faceOf) {
  std::vector<FriBidiLevel> levels;
  std::vector<FriBidiStrIndex> order;
  bidiOrder(logical, levels, order);
  std::vector<int> faces(logical.size());
  for (std::size_t i = 0; i < logical.size(); ++i) {
    faces[i] = i > 0 && attachesToPrevious(logical[i]) ? faces[i - 1] : faceOf(logical[i]);
  }
  std::vector<TextRun> runs;
  for (FriBidiStrIndex shown : order) {
    const auto i = static_cast<std::size_t>(shown);
    const bool rtl = FRIBIDI_LEVEL_IS_RTL(levels[i]);
    TextRun* last = runs.empty() ? nullptr : &runs.back();
    const bool continues = last != nullptr && last->face == faces[i] && last->rightToLeft == rtl &&
                           (rtl ? last->start == i + 1 : last->end == i);
    if (!continues) {
      runs.push_back({faces[i], i, i + 1, rtl});
    } else if (rtl) {
      last->start = i;
    } else {
      last->end = i + 1;
    }
  }
  return runs;
}

}  // namespace fltkhost
