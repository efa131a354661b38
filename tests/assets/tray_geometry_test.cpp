#include "tray_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "decode.h"
#include "embedded_assets.h"

namespace {

bool light(const toolkit::Image& image, int x, int y) {
  return image.pixel(x, y)[1] == 152;
}

TEST(TrayGeometry, AtItsOwnSizeItIsTheEmbeddedPicture) {
  const toolkit::Image embedded = assets::decodePicture(assets::AssetId::Tray);
  const toolkit::Image drawn = assets::drawTrayAt(1.0);
  ASSERT_EQ(drawn.width, embedded.width);
  ASSERT_EQ(drawn.height, embedded.height);
  EXPECT_EQ(drawn.rgb, embedded.rgb);
}

TEST(TrayGeometry, AtDoubleSizeTheCaptionIsDrawnAgainInTheSameTwoGreens) {
  const toolkit::Image small = assets::drawTrayAt(1.0);
  const toolkit::Image large = assets::drawTrayAt(2.0);
  ASSERT_EQ(large.width, 742);
  ASSERT_EQ(large.height, 566);
  int differing = 0;
  int ink = 0;
  for (int y = 0; y < large.height; ++y) {
    for (int x = 0; x < large.width; ++x) {
      const std::uint8_t* p = large.pixel(x, y);
      ASSERT_TRUE(p[0] == 0 && p[2] == 0 && (p[1] == 128 || p[1] == 152)) << x << "," << y;
      if (light(large, x, y) != light(small, x / 2, y / 2)) ++differing;
      if (y >= 2 && y < 138 && !light(large, x, y)) ++ink;
    }
  }
  // The edge line and the band's end double with the picture.
  EXPECT_FALSE(light(large, 100, 1));
  EXPECT_TRUE(light(large, 100, 2));
  EXPECT_TRUE(light(large, 100, 137));
  EXPECT_FALSE(light(large, 100, 138));
  // The same letters, but drawn at the finer size rather than pixel by pixel: their edges differ
  // from the doubled small picture here and there and nowhere else.
  EXPECT_GT(ink, 4000);
  EXPECT_GT(differing, 100);
  EXPECT_LT(differing, ink / 4);
}

}  // namespace
