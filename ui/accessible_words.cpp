#include "ui/accessible_words.h"

#include "ui/card.h"

const toolkit::AccessibleWords& accessibleWords() {
  static const toolkit::AccessibleWords words = [] {
    toolkit::AccessibleWords w{{{"chkDie", "Die"}}, "held", "Rolled", "scored", {}};
    for (const CardRow& row : kCard) {
      if (row.spokenName != nullptr) w.captionNames.emplace(row.caption, row.spokenName);
    }
    return w;
  }();
  return words;
}
