#pragma once

#include <string>

#include "toolkit/style.h"

namespace webhost {

// A layout font as the page draws it: a CSS font-family list, a weight and a size in CSS
// pixels. The browser picks the first family it has, so no font files are shipped.
struct CssFont {
  std::string families;
  bool bold = false;
  int pixels = 11;
  friend bool operator==(const CssFont&, const CssFont&) = default;
};

// Called by the canvas for every text it draws or measures: the window core's choice of face as
// CSS. Arial falls back to Liberation Sans (the same widths) and then to any sans-serif face;
// the narrow face likewise to its narrow twin and then to the plain list; a named face comes
// first in front of the plain list. Changes nothing.
CssFont cssFont(const toolkit::Font& font);

}  // namespace webhost
