#include "ui/accessible_words.h"

const toolkit::AccessibleWords& accessibleWords() {
  static const toolkit::AccessibleWords words{{{"chkDie", "Die"}}, "held", "Rolled", "scored"};
  return words;
}
