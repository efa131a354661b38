#pragma once

#include "toolkit/style.h"

namespace fltkhost {

// The families the window draws with; each is registered with FLTK in a regular and a bold
// weight by the canvas.
enum class Family { Sans, SansNarrow };

struct FontChoice {
  Family family = Family::Sans;
  bool bold = false;
  int pixels = 11;
  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// Called by the canvas for every text it draws or measures: maps the layout's font (a face name
// and a size in points) to a family this machine has and a size in pixels at 96 dots per inch.
// "MS Sans Serif" and "System" are bold by nature; "Arial Narrow" needs the narrow family and
// falls back to the plain one when it is missing. Changes nothing.
FontChoice chooseFont(const toolkit::Font& font, bool narrowInstalled);

// Points to pixels at 96 dots per inch, rounded to the nearest pixel.
int pointsToPixels(float points);

}  // namespace fltkhost
