#include "icon_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "toolkit/style.h"

namespace assets {

namespace {

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

IconPart iconPartAtUnits(double u, double v) {
  if (u < kIconDieMin || u > kIconDieMax || v < kIconDieMin || v > kIconDieMax) {
    return IconPart::Ground;
  }
  const double lo = kIconDieMin + kIconCornerRadius;
  const double hi = kIconDieMax - kIconCornerRadius;
  const double du = std::max({lo - u, 0.0, u - hi});
  const double dv = std::max({lo - v, 0.0, v - hi});
  if (du * du + dv * dv > kIconCornerRadius * kIconCornerRadius) return IconPart::Ground;
  for (double cu : kIconPipColumns) {
    for (double cv : kIconPipRows) {
      const double pu = u - cu;
      const double pv = v - cv;
      if (pu * pu + pv * pv <= kIconPipRadius * kIconPipRadius) return IconPart::Pip;
    }
  }
  return IconPart::Die;
}

IconPart iconPartAt(double x, double y) {
  return iconPartAtUnits(x + 0.5, y + 0.5);
}

toolkit::Image drawIconAt(double scale) {
  toolkit::Image icon;
  icon.width = std::max(1, static_cast<int>(std::floor(kIconSide * scale + 0.5)));
  icon.height = icon.width;
  icon.rgb.resize(static_cast<std::size_t>(icon.width) * icon.height * 3);
  const double k = static_cast<double>(icon.width) / kIconSide;
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      // The centre of a device pixel, in the design's units.
      const toolkit::Rgb colour = colourOf(iconPartAtUnits((x + 0.5) / k, (y + 0.5) / k));
      std::uint8_t* p = icon.pixel(x, y);
      p[0] = colour.r;
      p[1] = colour.g;
      p[2] = colour.b;
    }
  }
  return icon;
}

}  // namespace assets
