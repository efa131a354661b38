#include "icon_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <tuple>

#include "decode.h"
#include "embedded_assets.h"

namespace {

std::tuple<int, int, int> colourAt(const toolkit::Image& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

TEST(IconGeometry, AtItsOwnSizeItIsTheEmbeddedIcon) {
  const toolkit::Image embedded = assets::decodePicture(assets::AssetId::Icon);
  const toolkit::Image drawn = assets::drawIconAt(1.0);
  ASSERT_EQ(drawn.width, embedded.width);
  ASSERT_EQ(drawn.height, embedded.height);
  EXPECT_EQ(drawn.rgb, embedded.rgb);
}

TEST(IconGeometry, LargerIconsKeepTheThreeColoursAndSymmetricPips) {
  for (const double scale : {1.5, 2.0, 3.0}) {
    SCOPED_TRACE(scale);
    const toolkit::Image icon = assets::drawIconAt(scale);
    const int side = static_cast<int>(32 * scale + 0.5);
    ASSERT_EQ(icon.width, side);
    std::set<std::tuple<int, int, int>> colours;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) colours.insert(colourAt(icon, x, y));
    }
    EXPECT_EQ(colours,
              (std::set<std::tuple<int, int, int>>{{128, 64, 0}, {255, 255, 255}, {0, 0, 0}}));
    // The middle pip of the left column is a disc: as wide as it is high.
    const int cx = static_cast<int>((8.5 + 0.5) * side / 32.0);
    const int cy = static_cast<int>((15.5 + 0.5) * side / 32.0);
    ASSERT_EQ(colourAt(icon, cx, cy), std::make_tuple(0, 0, 0));
    int left = cx, right = cx, top = cy, bottom = cy;
    while (colourAt(icon, left - 1, cy) == std::make_tuple(0, 0, 0)) --left;
    while (colourAt(icon, right + 1, cy) == std::make_tuple(0, 0, 0)) ++right;
    while (colourAt(icon, cx, top - 1) == std::make_tuple(0, 0, 0)) --top;
    while (colourAt(icon, cx, bottom + 1) == std::make_tuple(0, 0, 0)) ++bottom;
    // At whole scales the disc is exact; at others its centre may fall on a pixel's middle in
    // one direction and between pixels in the other, which costs a pixel.
    if (scale == static_cast<int>(scale)) {
      EXPECT_EQ(right - left, bottom - top);
    } else {
      EXPECT_LE(std::abs((right - left) - (bottom - top)), 1);
    }
    EXPECT_NEAR(right - left + 1, 6 * scale, 1.5);
  }
}

}  // namespace
