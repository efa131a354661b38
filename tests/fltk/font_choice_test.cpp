// The layout names fonts of another system in points; the window must draw them at the pixel
// sizes the layout was made for, or captions overflow their buttons.
#include <gtest/gtest.h>

#include "hosts/fltk/font_choice.h"

namespace {

using fltkhost::chooseFont;
using fltkhost::Family;
using fltkhost::FontChoice;

TEST(FontChoice, ConvertsTheLayoutsPointSizesAtNinetySixDotsPerInch) {
  EXPECT_EQ(fltkhost::pointsToPixels(8.25f), 11);
  EXPECT_EQ(fltkhost::pointsToPixels(9.75f), 13);
  EXPECT_EQ(fltkhost::pointsToPixels(12.0f), 16);
  EXPECT_EQ(fltkhost::pointsToPixels(14.25f), 19);
  EXPECT_EQ(fltkhost::pointsToPixels(18.0f), 24);
}

TEST(FontChoice, MapsEachFaceOfTheLayout) {
  EXPECT_EQ(chooseFont({"Arial", 9.75f, true}, true), (FontChoice{Family::Sans, true, 13}));
  EXPECT_EQ(chooseFont({"Arial", 18.0f, false}, true), (FontChoice{Family::Sans, false, 24}));
  EXPECT_EQ(chooseFont({"Arial Narrow", 14.25f, true}, true),
            (FontChoice{Family::SansNarrow, true, 19}));
  // The bitmap faces have no plain weight worth imitating.
  EXPECT_EQ(chooseFont({"MS Sans Serif", 12.0f, false}, true),
            (FontChoice{Family::Sans, true, 16}));
  EXPECT_EQ(chooseFont({"System", 9.75f, false}, true), (FontChoice{Family::Sans, true, 13}));
}

TEST(FontChoice, FallsBackToThePlainFamilyWithoutTheNarrowOne) {
  EXPECT_EQ(chooseFont({"Arial Narrow", 14.25f, true}, false),
            (FontChoice{Family::Sans, true, 19}));
}

}  // namespace
