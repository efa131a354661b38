#include "hosts/web/font_css.h"

#include <gtest/gtest.h>

namespace {

using webhost::cssFont;

TEST(CssFont, ArialFallsBackToLiberationSansThenAnySansSerif) {
  const auto css = cssFont({"Arial", 9.75f, true});
  EXPECT_EQ(css.families, "\"Arial\", \"Liberation Sans\", sans-serif");
  EXPECT_TRUE(css.bold);
  EXPECT_EQ(css.pixels, 13);
}

TEST(CssFont, NarrowFaceFallsBackToItsTwinThenToThePlainList) {
  const auto css = cssFont({"Arial Narrow", 14.25f, true});
  EXPECT_EQ(css.families.find("\"Arial Narrow\", \"Liberation Sans Narrow\""), 0u);
  EXPECT_NE(css.families.find("\"Liberation Sans\", sans-serif"), std::string::npos);
  EXPECT_EQ(css.pixels, 19);
}

TEST(CssFont, BitmapFacesOfTheOtherSystemAreDrawnBoldSans) {
  for (const char* face : {"System", "MS Sans Serif"}) {
    const auto css = cssFont({face, 12.0f, false});
    EXPECT_EQ(css.families, "\"Arial\", \"Liberation Sans\", sans-serif") << face;
    EXPECT_TRUE(css.bold) << face;
    EXPECT_EQ(css.pixels, 16) << face;
  }
}

TEST(CssFont, OtherFacesComeFirstAndCannotBreakTheList) {
  EXPECT_EQ(cssFont({"Tahoma", 8.25f, false}).families,
            "\"Tahoma\", \"Arial\", \"Liberation Sans\", sans-serif");
  EXPECT_EQ(cssFont({"Evil\"; x: \\y", 8.25f, false}).families,
            "\"Evil; x: y\", \"Arial\", \"Liberation Sans\", sans-serif");
}

TEST(CssFont, PointsBecomeWholePixelsAtNinetySixDotsPerInch) {
  EXPECT_EQ(cssFont({"Arial", 8.25f, false}).pixels, 11);
  EXPECT_EQ(cssFont({"Arial", 18.0f, false}).pixels, 24);
  EXPECT_EQ(cssFont({"Arial", 12.0f, false}).pixels, 16);
}

}  // namespace
