#include "ui/accessible_words.h"

#include "assets/tray_geometry.h"

const toolkit::AccessibleWords& accessibleWords() {
  static const toolkit::AccessibleWords words{
      {{"chkDie", "Die"}}, {{"fraRoll", assets::kTrayCaption}}, "held", "Rolled", "scored"};
  return words;
}
