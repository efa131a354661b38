// The Windows front end's pixel conversion, built natively: it is plain C++ so that its corner
// cases can be checked without Windows.
#include <gtest/gtest.h>

#include "hosts/win32/dib_pixels.h"

namespace {

TEST(DibPixels, RowsAreBlueGreenRedPaddedToFourBytes) {
  toolkit::Image image{3, 2, {}};
  // Row 0: red, green, blue; row 1: white, black, (10, 20, 30).
  image.rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 10, 20, 30};
  const std::vector<std::uint8_t> rows = win32::toDibRows(image);
  ASSERT_EQ(win32::dibStride(3), 12);
  const std::vector<std::uint8_t> want = {0,   0,   255, 0, 255, 0, 255, 0,  0,  0, 0, 0,
                                          255, 255, 255, 0, 0,   0, 30,  20, 10, 0, 0, 0};
  EXPECT_EQ(rows, want);
}

}  // namespace
