// The tray picture: GIF structure from the file itself, and the drawing from its decoded pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "asset_file.h"
#include "decode.h"

namespace asset_tests {
namespace {

constexpr int kWidth = 371;
constexpr int kHeight = 283;
constexpr int kBandEnd = 69;  // first row below the caption band
constexpr std::size_t kScreenDescriptorAt = 6;
constexpr std::size_t kColourTableAt = 13;

using Colour = std::array<std::uint8_t, 3>;
constexpr Colour kDarkGreen = {0, 128, 0};
constexpr Colour kLightGreen = {0, 152, 0};

// Skips a chain of data sub-blocks starting at `at`; returns the position after the terminator.
std::size_t skipSubBlocks(const std::vector<std::uint8_t>& file, std::size_t at) {
  while (file.at(at) != 0) at += 1 + file.at(at);
  return at + 1;
}

struct GifLayout {
  int imageDescriptors = 0;
  std::vector<std::uint8_t> imagePackedFields;
  std::vector<std::array<std::uint32_t, 4>> imageRects;  // left, top, width, height
  bool endsWithTrailer = false;
};

GifLayout walkBlocks(const std::vector<std::uint8_t>& file, std::size_t at) {
  GifLayout layout;
  while (at < file.size()) {
    const std::uint8_t introducer = file[at];
    if (introducer == 0x3B) {
      layout.endsWithTrailer = at + 1 == file.size();
      break;
    }
    if (introducer == 0x21) {  // extension: label, then sub-blocks
      at = skipSubBlocks(file, at + 2);
    } else if (introducer == 0x2C) {
      ++layout.imageDescriptors;
      layout.imageRects.push_back(
          {le16(file, at + 1), le16(file, at + 3), le16(file, at + 5), le16(file, at + 7)});
      const std::uint8_t packed = file.at(at + 9);
      layout.imagePackedFields.push_back(packed);
      at += 10;
      if (packed & 0x80) at += 3u << ((packed & 7) + 1);  // local colour table
      at = skipSubBlocks(file, at + 1);                   // after the LZW code size
    } else {
      ADD_FAILURE() << "unexpected block introducer " << int(introducer) << " at " << at;
      break;
    }
  }
  return layout;
}

Colour colourAt(const toolkit::Image& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

TEST(TrayGifFile, HasOneNonInterlacedFrameAndAFullGlobalColourTable) {
  const auto file = readAssetFile("tray.gif");
  ASSERT_GT(file.size(), kColourTableAt + 768);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF89a");
  EXPECT_EQ(le16(file, kScreenDescriptorAt), static_cast<std::uint32_t>(kWidth));
  EXPECT_EQ(le16(file, kScreenDescriptorAt + 2), static_cast<std::uint32_t>(kHeight));
  const std::uint8_t screenFlags = file[kScreenDescriptorAt + 4];
  EXPECT_TRUE(screenFlags & 0x80) << "global colour table present";
  EXPECT_EQ(2 << (screenFlags & 7), 256) << "global colour table entries";

  const GifLayout layout = walkBlocks(file, kColourTableAt + 256 * 3);
  EXPECT_TRUE(layout.endsWithTrailer);
  ASSERT_EQ(layout.imageDescriptors, 1);
  EXPECT_EQ(layout.imageRects[0],
            (std::array<std::uint32_t, 4>{0, 0, static_cast<std::uint32_t>(kWidth),
                                          static_cast<std::uint32_t>(kHeight)}));
  EXPECT_EQ(layout.imagePackedFields[0] & 0x40, 0) << "interlace flag";
  EXPECT_EQ(layout.imagePackedFields[0] & 0x80, 0) << "no local colour table";
}

TEST(TrayGifFile, ColourTableHoldsBothGreens) {
  const auto file = readAssetFile("tray.gif");
  std::set<Colour> table;
  for (std::size_t i = 0; i < 256; ++i) {
    const std::size_t at = kColourTableAt + 3 * i;
    table.insert({file.at(at), file.at(at + 1), file.at(at + 2)});
  }
  EXPECT_TRUE(table.contains(kDarkGreen));
  EXPECT_TRUE(table.contains(kLightGreen));
}

// Decoding once is enough; the image is never modified.
const toolkit::Image& tray() {
  static const toolkit::Image image = assets::decodePicture(assets::AssetId::Tray);
  return image;
}

bool isDarkGreen(int x, int y) {
  return colourAt(tray(), x, y) == kDarkGreen;
}

struct Box {
  int left = kWidth;
  int right = -1;
  int top = kHeight;
  int bottom = -1;
  int height() const { return bottom - top + 1; }
  void add(int x, int y) {
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
};

// The caption's letters, left to right: runs of columns holding dark pixels within the band.
std::vector<Box> captionLetters() {
  std::vector<Box> letters;
  bool inLetter = false;
  for (int x = 0; x < kWidth; ++x) {
    Box column;
    for (int y = 1; y < kBandEnd; ++y) {
      if (isDarkGreen(x, y)) column.add(x, y);
    }
    const bool hasInk = column.right >= 0;
    if (hasInk && !inLetter) letters.push_back(column);
    if (hasInk && inLetter) {
      letters.back().add(column.left, column.top);
      letters.back().add(column.right, column.bottom);
    }
    inLetter = hasInk;
  }
  return letters;
}

TEST(TrayPicture, UsesOnlyTheTwoGreens) {
  ASSERT_EQ(tray().width, kWidth);
  ASSERT_EQ(tray().height, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Colour c = colourAt(tray(), x, y);
      ASSERT_TRUE(c == kDarkGreen || c == kLightGreen)
          << "pixel (" << x << "," << y << ") is " << int(c[0]) << "," << int(c[1]) << ","
          << int(c[2]);
    }
  }
}

TEST(TrayPicture, TopEdgeLineAndFeltAreDarkGreen) {
  for (int x = 0; x < kWidth; ++x) ASSERT_TRUE(isDarkGreen(x, 0)) << "row 0, column " << x;
  for (int y = kBandEnd; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) ASSERT_TRUE(isDarkGreen(x, y)) << "(" << x << "," << y << ")";
  }
  EXPECT_EQ(colourAt(tray(), 0, 100), kDarkGreen);
}

TEST(TrayPicture, BandIsMostlyLightGreenWithDarkCaption) {
  int light = 0;
  int dark = 0;
  for (int y = 1; y < kBandEnd; ++y) {
    for (int x = 0; x < kWidth; ++x) (isDarkGreen(x, y) ? dark : light)++;
  }
  EXPECT_GT(dark, 500) << "the caption needs a fair amount of ink";
  EXPECT_GT(light, 10 * dark);
  // The band's edges stay clear, so the caption does not merge with the line or the felt.
  for (int x = 0; x < kWidth; ++x) {
    EXPECT_FALSE(isDarkGreen(x, 1)) << "column " << x;
    EXPECT_FALSE(isDarkGreen(x, kBandEnd - 1)) << "column " << x;
  }
}

TEST(TrayPicture, CaptionIsCentredOnTheVisibleColumns) {
  Box text;
  for (const Box& letter : captionLetters()) {
    text.add(letter.left, letter.top);
    text.add(letter.right, letter.bottom);
  }
  ASSERT_GE(text.right, 0) << "no caption found";
  // The game shows columns 32..368 of the picture.
  EXPECT_GE(text.left, 32 + 10);
  EXPECT_LE(text.right, 368 - 10);
  EXPECT_NEAR((text.left + text.right) / 2.0, 200.0, 1.0);
  EXPECT_NEAR((text.top + text.bottom) / 2.0, (1 + kBandEnd - 1) / 2.0, 1.0);
  EXPECT_EQ(text.height(), 20) << "capitals and ascenders, nothing descends";
}

TEST(TrayPicture, CaptionReadsAsSixWordsWithTwentyPixelCapitals) {
  const std::vector<Box> letters = captionLetters();
  // "Click Die to Save or Roll": words are told apart by wider gaps than letters.
  std::vector<int> wordLengths = {1};
  for (std::size_t i = 1; i < letters.size(); ++i) {
    const int gap = letters[i].left - letters[i - 1].right - 1;
    ASSERT_GE(gap, 1) << "letters " << i - 1 << " and " << i << " touch";
    if (gap >= 5) {
      wordLengths.push_back(1);
    } else {
      ++wordLengths.back();
    }
  }
  ASSERT_EQ(wordLengths, (std::vector<int>{5, 3, 2, 4, 2, 4}));

  const int capTop = letters[0].top;
  for (std::size_t capital : {0u, 5u, 10u, 16u}) {  // C, D, S, R
    EXPECT_EQ(letters[capital].height(), 20) << "capital " << capital;
    EXPECT_EQ(letters[capital].top, capTop) << "capital " << capital;
  }
  for (std::size_t small : {3u, 7u, 9u, 11u, 12u, 15u}) {  // c, e, o, a, v, r
    EXPECT_LT(letters[small].height(), 16) << "lower-case letter " << small;
    EXPECT_EQ(letters[small].bottom, letters[0].bottom) << "on the baseline: " << small;
  }
}

}  // namespace
}  // namespace asset_tests
