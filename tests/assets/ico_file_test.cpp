// The program icon: the .ico directory, the bitmap inside it, and what it shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "asset_file.h"
#include "decode.h"

namespace asset_tests {
namespace {

constexpr int kSize = 32;
constexpr std::size_t kEntryAt = 6;

using Colour = std::array<std::uint8_t, 3>;
constexpr Colour kWhite = {255, 255, 255};
constexpr Colour kBlack = {0, 0, 0};
constexpr Colour kBrown = {128, 64, 0};

TEST(IconFile, HoldsOne32By32ImageOf256ColoursFullyOpaque) {
  const auto file = readAssetFile("icon.ico");
  EXPECT_EQ(le16(file, 0), 0u) << "reserved";
  EXPECT_EQ(le16(file, 2), 1u) << "type: icon";
  ASSERT_EQ(le16(file, 4), 1u) << "image count";

  EXPECT_EQ(file.at(kEntryAt), kSize);
  EXPECT_EQ(file.at(kEntryAt + 1), kSize);
  EXPECT_EQ(file.at(kEntryAt + 2), 0) << "colour count 0 stands for 256";
  EXPECT_EQ(le16(file, kEntryAt + 4), 1u) << "planes";
  EXPECT_EQ(le16(file, kEntryAt + 6), 8u) << "bits per pixel";
  const std::uint32_t size = le32(file, kEntryAt + 8);
  const std::uint32_t offset = le32(file, kEntryAt + 12);
  ASSERT_EQ(offset + size, file.size()) << "the one image fills the rest of the file";

  // The image is a BITMAPINFOHEADER DIB with a 256-entry palette and twice the height, since
  // the colour bitmap and the AND mask are stacked.
  EXPECT_EQ(le32(file, offset), 40u);
  EXPECT_EQ(le32(file, offset + 4), static_cast<std::uint32_t>(kSize));
  EXPECT_EQ(le32(file, offset + 8), static_cast<std::uint32_t>(2 * kSize));
  EXPECT_EQ(le16(file, offset + 14), 8u);
  EXPECT_EQ(le32(file, offset + 16), 0u) << "uncompressed";
  const std::uint32_t colours = le32(file, offset + 32);
  EXPECT_TRUE(colours == 0 || colours == 256) << colours;

  const std::size_t pixels = offset + 40 + 256 * 4;
  const std::size_t mask = pixels + kSize * kSize;
  const std::size_t maskBytes = 4 * kSize;  // 32 bits a row, already 4-byte aligned
  ASSERT_EQ(mask + maskBytes, file.size());
  EXPECT_TRUE(std::all_of(file.begin() + mask, file.end(), [](auto b) { return b == 0; }))
      << "a clear AND mask keeps every pixel opaque";
}

Colour colourAt(const toolkit::Image& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

TEST(IconPicture, ShowsAWhiteDieWithSixPipsOnBrown) {
  const toolkit::Image icon = assets::decodePicture(assets::AssetId::Icon);
  ASSERT_EQ(icon.width, kSize);
  ASSERT_EQ(icon.height, kSize);
  // Brown outside the rounded corners, white inside the square's edges.
  for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}, {1, 1}, {30, 30}}) {
    EXPECT_EQ(colourAt(icon, x, y), kBrown) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{15, 1}, {1, 15}, {30, 15}, {15, 30}, {15, 15}}) {
    EXPECT_EQ(colourAt(icon, x, y), kWhite) << x << "," << y;
  }
  // Two columns of three pips: count the black runs down each pip column and across each row.
  auto blackRuns = [&](int fixed, bool alongColumn) {
    int runs = 0;
    bool inRun = false;
    for (int i = 0; i < kSize; ++i) {
      const bool black =
          alongColumn ? colourAt(icon, fixed, i) == kBlack : colourAt(icon, i, fixed) == kBlack;
      if (black && !inRun) ++runs;
      inRun = black;
    }
    return runs;
  };
  EXPECT_EQ(blackRuns(8, true), 3);
  EXPECT_EQ(blackRuns(23, true), 3);
  EXPECT_EQ(blackRuns(15, true), 0) << "nothing between the columns";
  for (int y : {7, 15, 23}) EXPECT_EQ(blackRuns(y, false), 2) << "row " << y;

  int black = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const Colour c = colourAt(icon, x, y);
      ASSERT_TRUE(c == kWhite || c == kBlack || c == kBrown) << x << "," << y;
      black += c == kBlack;
    }
  }
  EXPECT_EQ(black, 6 * 32) << "six round pips of 32 pixels";
}

}  // namespace
}  // namespace asset_tests
