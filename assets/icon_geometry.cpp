#include "icon_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "toolkit/style.h"

namespace assets {

namespace {

constexpr double kSquareMin = 1.0;
constexpr double kSquareMax = 30.0;
constexpr double kCornerRadius = 5.0;
constexpr double kPipRadius = 3.0;
constexpr std::array<double, 2> kPipColumns = {8.5, 22.5};
constexpr std::array<double, 3> kPipRows = {7.5, 15.5, 23.5};

bool insideRoundedSquare(double x, double y) {
  const double lo = kSquareMin + kCornerRadius;
  const double hi = kSquareMax - kCornerRadius;
  const double dx = std::max({lo - x, 0.0, x - hi});
  const double dy = std::max({lo - y, 0.0, y - hi});
  if (x < kSquareMin || x > kSquareMax || y < kSquareMin || y > kSquareMax) return false;
  return dx * dx + dy * dy <= kCornerRadius * kCornerRadius;
}

bool insidePip(double x, double y) {
  for (double cx : kPipColumns) {
    for (double cy : kPipRows) {
      const double dx = x - cx;
      const double dy = y - cy;
      if (dx * dx + dy * dy <= kPipRadius * kPipRadius) return true;
    }
  }
  return false;
}

// The colours of the embedded icon's palette.
toolkit::Rgb colourOf(IconPart part) {
  switch (part) {
    case IconPart::Ground:
      return {128, 64, 0};
    case IconPart::Die:
      return {255, 255, 255};
    case IconPart::Pip:
      break;
  }
  return {0, 0, 0};
}

}  // namespace

IconPart iconPartAt(double x, double y) {
  if (!insideRoundedSquare(x, y)) return IconPart::Ground;
  return insidePip(x, y) ? IconPart::Pip : IconPart::Die;
}

toolkit::Image drawIconAt(double scale) {
  toolkit::Image icon;
  icon.width = std::max(1, static_cast<int>(std::floor(kIconSide * scale + 0.5)));
  icon.height = icon.width;
  icon.rgb.resize(static_cast<std::size_t>(icon.width) * icon.height * 3);
  const double k = static_cast<double>(icon.width) / kIconSide;
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      // The centre of a device pixel, in the 32-pixel icon's coordinates.
      const toolkit::Rgb colour = colourOf(iconPartAt((x + 0.5) / k - 0.5, (y + 0.5) / k - 0.5));
      std::uint8_t* p = icon.pixel(x, y);
      p[0] = colour.r;
      p[1] = colour.g;
      p[2] = colour.b;
    }
  }
  return icon;
}

}  // namespace assets
