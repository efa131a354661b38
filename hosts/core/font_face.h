#pragma once

#include "toolkit/style.h"

namespace windowcore {

// The kinds of face the layout names. The layout was made with faces of another system; each
// front end draws them with what its platform has: the Linux window with its two registered
// families, the page with a CSS family list, the Windows window by name.
enum class Family { Sans, SansNarrow, Named };

struct FaceChoice {
  Family family = Family::Sans;
  bool bold = false;
  int pixels = 11;
  friend bool operator==(const FaceChoice&, const FaceChoice&) = default;
};

// Called by every front end's canvas for each text it draws or measures: the layout's font as a
// family, a weight and a size in pixels at 96 dots per inch. "Arial" (or no face) is the plain
// family and "Arial Narrow" the narrow one; "MS Sans Serif" and "System" are bitmap faces that
// are bold by nature, so they become the bold plain family; any other face is Named, for a
// front end that can ask for it by name. Changes nothing.
FaceChoice chooseFace(const toolkit::Font& font);

// Points to pixels at 96 dots per inch, rounded to the nearest pixel, as the layout's captions
// were sized for.
int pointsToPixels(float points);

}  // namespace windowcore
