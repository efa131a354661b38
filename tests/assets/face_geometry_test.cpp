#include "face_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "pip_layout.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

bool isBlack(const toolkit::Image& image, int x, int y) {
  return image.pixel(x, y)[0] == 0;
}

// The connected groups of black pixels: one for each pip.
std::vector<Pixels> pipsOf(const toolkit::Image& image) {
  Pixels black;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (isBlack(image, x, y)) black.insert({x, y});
    }
  }
  std::vector<Pixels> pips;
  while (!black.empty()) {
    Pixels pip;
    std::vector<std::pair<int, int>> stack = {*black.begin()};
    black.erase(black.begin());
    while (!stack.empty()) {
      const auto [x, y] = stack.back();
      stack.pop_back();
      pip.insert({x, y});
      for (const auto& n : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
        if (black.erase(n) != 0) stack.push_back(n);
      }
    }
    pips.push_back(std::move(pip));
  }
  return pips;
}

struct Box {
  int left, top, right, bottom;
};

Box boundsOf(const Pixels& pip) {
  Box b{pip.begin()->first, pip.begin()->second, pip.begin()->first, pip.begin()->second};
  for (const auto& [x, y] : pip) {
    b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
  }
  return b;
}

// A disc maps onto itself across its middle column, its middle row and its diagonal.
bool isRound(const Pixels& pip) {
  const Box b = boundsOf(pip);
  if (b.right - b.left != b.bottom - b.top) return false;
  for (const auto& [x, y] : pip) {
    const int rx = x - b.left;
    const int ry = y - b.top;
    const int side = b.right - b.left;
    if (!pip.contains({b.left + side - rx, y}) || !pip.contains({x, b.top + side - ry}) ||
        !pip.contains({b.left + ry, b.top + rx})) {
      return false;
    }
  }
  return true;
}

TEST(FaceGeometry, RedrawnFacesArePureBlackAndWhiteWithRoundPipsAtAnyScale) {
  for (const double scale : {1.0, 1.25, 1.5, 2.0, 3.0, 4.0}) {
    for (int pips = 1; pips <= 6; ++pips) {
      SCOPED_TRACE(testing::Message() << pips << " pips at " << scale);
      const toolkit::Image face = assets::drawFaceAt(pips, scale);
      const int side = static_cast<int>(39 * scale + 0.5);
      ASSERT_EQ(face.width, side);
      ASSERT_EQ(face.height, side);
      for (std::size_t i = 0; i < face.rgb.size(); i += 3) {
        const std::uint8_t v = face.rgb[i];
        ASSERT_TRUE((v == 0 || v == 255) && face.rgb[i + 1] == v && face.rgb[i + 2] == v)
            << "a grey or coloured pixel";
      }
      const std::vector<Pixels> found = pipsOf(face);
      ASSERT_EQ(found.size(), static_cast<std::size_t>(pips));
      for (const Pixels& pip : found) {
        EXPECT_TRUE(isRound(pip));
        EXPECT_EQ(pip.size(), found.front().size()) << "pips of different sizes";
        const Box b = boundsOf(pip);
        EXPECT_EQ(b.right - b.left + 1, static_cast<int>(9 * face.width / 39.0 + 0.5));
      }
    }
  }
}

TEST(FaceGeometry, PipsStayWhereTheArtworkHasThem) {
  // At double size each pip covers the doubled pixels of the 39-pixel drawing's pip centre.
  for (int pips = 1; pips <= 6; ++pips) {
    const toolkit::Image face = assets::drawFaceAt(pips, 2.0);
    for (const Pixels& pip : pipsOf(face)) {
      const Box b = boundsOf(pip);
      const int cx = (b.left + b.right) / 2 / 2;
      const int cy = (b.top + b.bottom) / 2 / 2;
      // The centre pixel of the drawing is black there, and so are its neighbours.
      EXPECT_TRUE(asset_tests::pipCoversPixel(pips, cx, cy)) << pips << ": " << cx << "," << cy;
      EXPECT_EQ(b.left + b.right + 1, 2 * (2 * cx + 1)) << "centred on the pixel, in x";
      EXPECT_EQ(b.top + b.bottom + 1, 2 * (2 * cy + 1)) << "centred on the pixel, in y";
    }
  }
}

TEST(FaceGeometry, TheEmbeddedFacesAreDrawnAroundTheSameCentres) {
  for (int pips = 1; pips <= 6; ++pips) {
    for (const assets::PipCentre& c : assets::pipCentres(pips)) {
      EXPECT_TRUE(asset_tests::pipCoversPixel(pips, c.x, c.y));
      // The hand-drawn disc is nine pixels across its middle row.
      EXPECT_TRUE(asset_tests::pipCoversPixel(pips, c.x - 4, c.y));
      EXPECT_TRUE(asset_tests::pipCoversPixel(pips, c.x + 4, c.y));
    }
  }
  EXPECT_THROW(assets::pipCentres(0), std::invalid_argument);
  EXPECT_THROW(assets::pipCentres(7), std::invalid_argument);
}

}  // namespace
