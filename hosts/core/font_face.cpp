#include "hosts/core/font_face.h"

#include <cmath>

namespace windowcore {

int pointsToPixels(float points) {
  return static_cast<int>(std::lround(static_cast<double>(points) * 96.0 / 72.0));
}

FaceChoice chooseFace(const toolkit::Font& font) {
  FaceChoice choice;
  choice.pixels = pointsToPixels(font.points);
  choice.bold = font.bold;
  if (font.face == "Arial Narrow") {
    choice.family = Family::SansNarrow;
  } else if (font.face == "MS Sans Serif" || font.face == "System") {
    // Both are bitmap faces of another system whose look is closest to a bold sans-serif.
    choice.bold = true;
  } else if (!font.face.empty() && font.face != "Arial") {
    choice.family = Family::Named;
  }
  return choice;
}

}  // namespace windowcore
