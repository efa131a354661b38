// The layout names fonts of another system in points; every window must draw them at the pixel
// sizes the layout was made for, or captions overflow their buttons.
#include "hosts/core/font_face.h"

#include <gtest/gtest.h>

namespace {

using windowcore::chooseFace;
using windowcore::FaceChoice;
using windowcore::Family;

TEST(FontFace, ConvertsTheLayoutsPointSizesAtNinetySixDotsPerInch) {
  EXPECT_EQ(windowcore::pointsToPixels(8.25f), 11);
  EXPECT_EQ(windowcore::pointsToPixels(9.75f), 13);
  EXPECT_EQ(windowcore::pointsToPixels(12.0f), 16);
  EXPECT_EQ(windowcore::pointsToPixels(13.5f), 18);
  EXPECT_EQ(windowcore::pointsToPixels(14.25f), 19);
  EXPECT_EQ(windowcore::pointsToPixels(18.0f), 24);
}

TEST(FontFace, MapsEachFaceOfTheLayout) {
  EXPECT_EQ(chooseFace({"Arial", 9.75f, true}), (FaceChoice{Family::Sans, true, 13}));
  EXPECT_EQ(chooseFace({"Arial", 18.0f, false}), (FaceChoice{Family::Sans, false, 24}));
  EXPECT_EQ(chooseFace({"", 8.25f, false}), (FaceChoice{Family::Sans, false, 11}));
  EXPECT_EQ(chooseFace({"Arial Narrow", 14.25f, true}), (FaceChoice{Family::SansNarrow, true, 19}));
  // The bitmap faces have no plain weight worth imitating.
  EXPECT_EQ(chooseFace({"MS Sans Serif", 12.0f, false}), (FaceChoice{Family::Sans, true, 16}));
  EXPECT_EQ(chooseFace({"System", 9.75f, false}), (FaceChoice{Family::Sans, true, 13}));
  // Any other face is left to a front end that can ask for it by name.
  EXPECT_EQ(chooseFace({"Tahoma", 8.25f, false}), (FaceChoice{Family::Named, false, 11}));
}

}  // namespace
