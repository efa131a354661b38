// The Windows front end's line breaks and pixel conversions, built natively: they are plain C++
// so that their corner cases can be checked without Windows.
#include <gtest/gtest.h>

#include "hosts/win32/dib_pixels.h"
#include "hosts/win32/line_breaks.h"

namespace {

TEST(TextConvert, EveryKindOfLineBreakBecomesCrLf) {
  EXPECT_EQ(win32::windowsLineBreaks("How many Players?\r(1 to 4)"),
            "How many Players?\r\n(1 to 4)");
  EXPECT_EQ(win32::windowsLineBreaks("a\r\nb\nc\r"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(win32::windowsLineBreaks("\r\r"), "\r\n\r\n");
}

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
