#pragma once

#include "i18n/catalogue.h"
#include "toolkit/accessibility.h"

// The window's words for the accessibility tree: what the dice are called, the words the tray
// shows, what holding one
// and rolling them say, what a commit says, and how the card's labels are read. Read by the
// hosts that expose the tree; the first in English, the second in a game's language.
const toolkit::AccessibleWords& accessibleWords();
toolkit::AccessibleWords accessibleWords(const i18n::Catalogue& language);
