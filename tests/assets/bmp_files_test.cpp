// The die face bitmaps: header fields, palette, and every pixel against the pip layout.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "asset_file.h"
#include "pip_layout.h"

namespace asset_tests {
namespace {

constexpr std::size_t kInfoHeaderAt = 14;

struct BmpHeader {
  std::uint32_t fileSizeField;
  std::uint32_t pixelOffset;
  std::uint32_t infoSize;
  std::int32_t width;
  std::int32_t height;
  std::uint32_t planes;
  std::uint32_t bitsPerPixel;
  std::uint32_t compression;
  std::uint32_t coloursUsed;
};

BmpHeader readHeader(const std::vector<std::uint8_t>& file) {
  return {le32(file, 2),
          le32(file, 10),
          le32(file, kInfoHeaderAt),
          static_cast<std::int32_t>(le32(file, kInfoHeaderAt + 4)),
          static_cast<std::int32_t>(le32(file, kInfoHeaderAt + 8)),
          le16(file, kInfoHeaderAt + 12),
          le16(file, kInfoHeaderAt + 14),
          le32(file, kInfoHeaderAt + 16),
          le32(file, kInfoHeaderAt + 32)};
}

void expectCommonHeader(const std::vector<std::uint8_t>& file, const BmpHeader& header) {
  ASSERT_GE(file.size(), 54u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(header.fileSizeField, file.size());
  EXPECT_EQ(header.infoSize, 40u) << "BITMAPINFOHEADER";
  EXPECT_EQ(header.width, kFaceSize);
  EXPECT_EQ(header.height, kFaceSize) << "positive height: rows stored bottom-up";
  EXPECT_EQ(header.planes, 1u);
  EXPECT_EQ(header.compression, 0u) << "uncompressed";
}

// Black or white at (x, y), rows counted from the top; fails the test on any other colour.
using PixelReader = bool (*)(const std::vector<std::uint8_t>& file, int x, int y);

bool isBlackIn1Bit(const std::vector<std::uint8_t>& file, int x, int y) {
  const std::uint32_t stride = ((kFaceSize + 31) / 32) * 4;
  const std::size_t row = le32(file, 10) + static_cast<std::size_t>(kFaceSize - 1 - y) * stride;
  const int bit = (file.at(row + x / 8) >> (7 - x % 8)) & 1;
  return bit == 0;  // palette entry 0 is black
}

bool isBlackIn24Bit(const std::vector<std::uint8_t>& file, int x, int y) {
  const std::uint32_t stride = ((kFaceSize * 24 + 31) / 32) * 4;
  const std::size_t at =
      le32(file, 10) + static_cast<std::size_t>(kFaceSize - 1 - y) * stride + x * 3;
  const int b = file.at(at);
  const int g = file.at(at + 1);
  const int r = file.at(at + 2);
  const bool black = r == 0 && g == 0 && b == 0;
  const bool white = r == 255 && g == 255 && b == 255;
  EXPECT_TRUE(black || white) << "pixel (" << x << "," << y << ") is " << r << "," << g << "," << b;
  return black;
}

void expectPipLayout(const std::vector<std::uint8_t>& file, int pips, PixelReader isBlack) {
  int mismatches = 0;
  for (int y = 0; y < kFaceSize; ++y) {
    for (int x = 0; x < kFaceSize; ++x) {
      const bool expected = pipCoversPixel(pips, x, y);
      if (isBlack(file, x, y) != expected && ++mismatches <= 10) {
        ADD_FAILURE() << "pixel (" << x << "," << y << ") should be "
                      << (expected ? "black" : "white");
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

class FaceBitmap : public testing::TestWithParam<int> {};

TEST_P(FaceBitmap, IsOneBitWithBlackAndWhitePalette) {
  const auto file = readAssetFile("face" + std::to_string(GetParam()) + ".bmp");
  const BmpHeader header = readHeader(file);
  expectCommonHeader(file, header);
  EXPECT_EQ(header.bitsPerPixel, 1u);
  EXPECT_TRUE(header.coloursUsed == 0 || header.coloursUsed == 2) << header.coloursUsed;
  const std::size_t palette = kInfoHeaderAt + header.infoSize;
  EXPECT_EQ(header.pixelOffset, palette + 2 * 4);
  const std::vector<std::uint8_t> black(file.begin() + palette, file.begin() + palette + 3);
  const std::vector<std::uint8_t> white(file.begin() + palette + 4, file.begin() + palette + 7);
  EXPECT_EQ(black, (std::vector<std::uint8_t>{0, 0, 0}));
  EXPECT_EQ(white, (std::vector<std::uint8_t>{255, 255, 255}));
  EXPECT_EQ(file.size(), header.pixelOffset + 8u * kFaceSize) << "4-byte aligned rows of 39 bits";
}

TEST_P(FaceBitmap, EveryPixelFollowsThePipLayout) {
  const auto file = readAssetFile("face" + std::to_string(GetParam()) + ".bmp");
  expectPipLayout(file, GetParam(), isBlackIn1Bit);
}

INSTANTIATE_TEST_SUITE_P(Faces, FaceBitmap, testing::Range(1, 7));

class DesignBitmap : public testing::TestWithParam<int> {};

TEST_P(DesignBitmap, IsTwentyFourBitWithoutPalette) {
  const auto file = readAssetFile("design" + std::to_string(GetParam()) + ".bmp");
  const BmpHeader header = readHeader(file);
  expectCommonHeader(file, header);
  EXPECT_EQ(header.bitsPerPixel, 24u);
  EXPECT_EQ(header.pixelOffset, 54u);
  EXPECT_EQ(file.size(), 54u + 120u * kFaceSize) << "4-byte aligned rows of 117 bytes";
}

TEST_P(DesignBitmap, EveryPixelFollowsThePipLayoutOfTheSameFace) {
  const auto file = readAssetFile("design" + std::to_string(GetParam()) + ".bmp");
  expectPipLayout(file, GetParam(), isBlackIn24Bit);
}

INSTANTIATE_TEST_SUITE_P(Designs, DesignBitmap, testing::Range(1, 6));

}  // namespace
}  // namespace asset_tests
