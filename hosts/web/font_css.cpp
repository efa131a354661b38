#include "hosts/web/font_css.h"

#include "hosts/core/font_face.h"

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
  const windowcore::FaceChoice face = windowcore::chooseFace(font);
  CssFont css;
  css.pixels = face.pixels;
  css.bold = face.bold;
  switch (face.family) {
    case windowcore::Family::Sans:
      css.families = kSans;
      break;
    case windowcore::Family::SansNarrow:
      css.families = kNarrow;
      break;
    case windowcore::Family::Named:
      css.families = quoted(font.face) + ", " + kSans;
      break;
  }
  return css;
}

}  // namespace webhost
