#include "hosts/web/font_css.h"

#include <cmath>

namespace webhost {

namespace {

constexpr const char* kSans = "\"Arial\", \"Liberation Sans\", sans-serif";
constexpr const char* kNarrow =
    "\"Arial Narrow\", \"Liberation Sans Narrow\", sans-serif-condensed, \"Arial\", "
    "\"Liberation Sans\", sans-serif";

// A face name as a quoted CSS string; quotes and backslashes, which no face name needs, are
// dropped so that a name can never end the string early.
std::string quoted(const std::string& face) {
  std::string out = "\"";
  for (char c : face) {
    if (c != '"' && c != '\\') out += c;
  }
  return out + "\"";
}

}  // namespace

CssFont cssFont(const toolkit::Font& font) {
  CssFont css;
  css.pixels = static_cast<int>(std::lround(static_cast<double>(font.points) * 96.0 / 72.0));
  css.bold = font.bold;
  if (font.face == "Arial Narrow") {
    css.families = kNarrow;
  } else if (font.face == "MS Sans Serif" || font.face == "System") {
    css.families = kSans;
    css.bold = true;
  } else if (font.face == "Arial" || font.face.empty()) {
    css.families = kSans;
  } else {
    css.families = quoted(font.face) + ", " + kSans;
  }
  return css;
}

}  // namespace webhost
