#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "i18n/catalogue.h"

// Marks a text for translation where it is written, for xgettext, without translating it
// there: the table or call that shows it translates it.
#define N_(text) text

namespace i18n {

// The languages whose catalogues are built into the program (po/LINGUAS), as their codes.
std::vector<std::string_view> availableLanguages();

// The built-in catalogue of this code ("de", "pt_BR"), or English (an empty catalogue) for ""
// and for a code without one.
Catalogue catalogueFor(std::string_view code);

// The language the player's system asks for, chosen among the built-in ones once, at the first
// call: on Linux from the environment as gettext reads it. "" is English.
const std::string& systemLanguage();
// Its catalogue, for the game and for the dialogs the front end draws itself.
const Catalogue& systemCatalogue();

}  // namespace i18n
