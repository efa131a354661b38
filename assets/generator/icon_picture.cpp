#include "icon_picture.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assetgen {
namespace {

constexpr std::uint8_t kBrown = 0;
constexpr std::uint8_t kWhite = 1;
constexpr std::uint8_t kBlack = 2;

// Geometry in pixel-centre coordinates: pixel (x, y) is the unit square around (x, y).
constexpr double kSquareMin = 1.0;
constexpr double kSquareMax = 30.0;
constexpr double kCornerRadius = 5.0;
constexpr double kPipRadius = 3.0;
constexpr std::array<double, 2> kPipColumns = {8.5, 22.5};
constexpr std::array<double, 3> kPipRows = {7.5, 15.5, 23.5};

bool insideRoundedSquare(int x, int y) {
  const double lo = kSquareMin + kCornerRadius;
  const double hi = kSquareMax - kCornerRadius;
  const double dx = std::max({lo - x, 0.0, x - hi});
  const double dy = std::max({lo - y, 0.0, y - hi});
  if (x < kSquareMin || x > kSquareMax || y < kSquareMin || y > kSquareMax) return false;
  return dx * dx + dy * dy <= kCornerRadius * kCornerRadius;
}

bool insidePip(int x, int y) {
  for (double cx : kPipColumns) {
    for (double cy : kPipRows) {
      const double dx = x - cx;
      const double dy = y - cy;
      if (dx * dx + dy * dy <= kPipRadius * kPipRadius) return true;
    }
  }
  return false;
}

}  // namespace

IndexedImage drawIcon() {
  IndexedImage icon(kIconSize, kIconSize, kBrown);
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      if (!insideRoundedSquare(x, y)) continue;
      icon.set(x, y, insidePip(x, y) ? kBlack : kWhite);
    }
  }
  return icon;
}

Palette iconPalette() {
  Palette palette(256);  // the unused entries stay black
  palette[kBrown] = {128, 64, 0};
  palette[kWhite] = {255, 255, 255};
  palette[kBlack] = {0, 0, 0};
  return palette;
}

}  // namespace assetgen
