#pragma once

#include "i18n/catalogue.h"

namespace win32 {

// The catalogue of the first of the user's preferred interface languages (Windows' own list,
// GetUserPreferredUILanguages) that the game has, or English; chosen once, at the first call.
// Read by the game's texts and by the input box's buttons.
const i18n::Catalogue& userCatalogue();

}  // namespace win32
