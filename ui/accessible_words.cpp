#include "ui/accessible_words.h"

#include "assets/tray_geometry.h"
#include "i18n/catalogues.h"
#include "ui/card.h"

toolkit::AccessibleWords accessibleWords(const i18n::Catalogue& language) {
  // The tray keeps the words its picture shows.
  // TRANSLATORS: the words a screen reader says: "Die 3", "Die 3, 5, held", "Rolled 1, 3, 5",
  // "Full House scored 25".
  toolkit::AccessibleWords words{{{"chkDie", language.text(N_("Die"))}},
                                 {{"fraRoll", assets::kTrayCaption}},
                                 language.text(N_("held")),
                                 language.text(N_("Rolled")),
                                 language.text(N_("scored")),
                                 {},
                                 {}};
  for (const CardRow& row : kCard) {
    if (row.spokenName != nullptr) words.captionNames.emplace(row.caption, row.spokenName);
    if (row.inSentence != nullptr) {
      words.labelsInSentence.emplace(language.text(row.caption), language.text(row.inSentence));
    }
  }
  return words;
}

const toolkit::AccessibleWords& accessibleWords() {
  static const toolkit::AccessibleWords english = accessibleWords(i18n::Catalogue());
  return english;
}
