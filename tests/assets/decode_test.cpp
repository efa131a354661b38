// decodePicture: every picture asset decodes to the right size and the right colours.

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <stdexcept>
#include <string>

#include "decode.h"
#include "pip_layout.h"

namespace asset_tests {
namespace {

using assets::AssetId;
using Colour = std::array<std::uint8_t, 3>;

Colour colourAt(const toolkit::Image& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

struct FaceCase {
  AssetId id;
  int pips;
};

void PrintTo(const FaceCase& face, std::ostream* out) {
  *out << assets::fileName(face.id);
}

class DecodedFace : public testing::TestWithParam<FaceCase> {};

TEST_P(DecodedFace, MatchesThePipLayoutPixelForPixel) {
  const auto [id, pips] = GetParam();
  const toolkit::Image image = assets::decodePicture(id);
  ASSERT_EQ(image.width, kFaceSize);
  ASSERT_EQ(image.height, kFaceSize);
  ASSERT_EQ(image.rgb.size(), static_cast<std::size_t>(kFaceSize * kFaceSize * 3));
  int mismatches = 0;
  for (int y = 0; y < kFaceSize; ++y) {
    for (int x = 0; x < kFaceSize; ++x) {
      const Colour expected = pipCoversPixel(pips, x, y) ? Colour{0, 0, 0} : Colour{255, 255, 255};
      if (colourAt(image, x, y) != expected && ++mismatches <= 10) {
        ADD_FAILURE() << assets::fileName(id) << " pixel (" << x << "," << y << ")";
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(FacesAndDesigns, DecodedFace,
                         testing::Values(FaceCase{AssetId::Face1, 1}, FaceCase{AssetId::Face2, 2},
                                         FaceCase{AssetId::Face3, 3}, FaceCase{AssetId::Face4, 4},
                                         FaceCase{AssetId::Face5, 5}, FaceCase{AssetId::Face6, 6},
                                         FaceCase{AssetId::Design1, 1},
                                         FaceCase{AssetId::Design2, 2},
                                         FaceCase{AssetId::Design3, 3},
                                         FaceCase{AssetId::Design4, 4},
                                         FaceCase{AssetId::Design5, 5}),
                         [](const testing::TestParamInfo<FaceCase>& info) {
                           std::string name = assets::fileName(info.param.id);
                           return name.substr(0, name.find('.'));
                         });

TEST(DecodePicture, FaceOneHasABlackCentreAndWhiteCorners) {
  const toolkit::Image face = assets::decodePicture(AssetId::Face1);
  EXPECT_EQ(colourAt(face, 19, 19), (Colour{0, 0, 0}));
  EXPECT_EQ(colourAt(face, 0, 0), (Colour{255, 255, 255}));
  EXPECT_EQ(colourAt(face, 38, 38), (Colour{255, 255, 255}));
}

TEST(DecodePicture, TrayAndIconHaveTheirSizes) {
  const toolkit::Image tray = assets::decodePicture(AssetId::Tray);
  EXPECT_EQ(tray.width, 371);
  EXPECT_EQ(tray.height, 283);
  EXPECT_EQ(tray.rgb.size(), 371u * 283u * 3u);
  EXPECT_EQ(colourAt(tray, 0, 100), (Colour{0, 128, 0}));
  EXPECT_EQ(colourAt(tray, 5, 30), (Colour{0, 152, 0}));

  const toolkit::Image icon = assets::decodePicture(AssetId::Icon);
  EXPECT_EQ(icon.width, 32);
  EXPECT_EQ(icon.height, 32) << "the icon's doubled height must not leak out";
  EXPECT_EQ(icon.rgb.size(), 32u * 32u * 3u);
}

TEST(DecodePicture, RefusesTheSound) {
  EXPECT_THROW(assets::decodePicture(AssetId::RollSound), std::runtime_error);
}

}  // namespace
}  // namespace asset_tests
