#include "hosts/fltk/font_choice.h"

#include <cmath>

namespace fltkhost {

int pointsToPixels(float points) {
  return static_cast<int>(std::lround(static_cast<double>(points) * 96.0 / 72.0));
}

FontChoice chooseFont(const toolkit::Font& font, bool narrowInstalled) {
  FontChoice choice;
  choice.pixels = pointsToPixels(font.points);
  choice.bold = font.bold;
  if (font.face == "Arial Narrow") {
    choice.family = narrowInstalled ? Family::SansNarrow : Family::Sans;
  } else if (font.face == "MS Sans Serif" || font.face == "System") {
    // Both are bitmap faces of another system whose look is closest to a bold sans-serif.
    choice.bold = true;
  }
  return choice;
}

}  // namespace fltkhost
