#include "face_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace assets {

namespace {

int roundHalfUp(double v) {
  return static_cast<int>(std::floor(v + 0.5));
}

// A disc `diameter` pixels across: a pixel is inside when its centre is within the radius of
// the disc's centre. One mask serves every pip, so all pips of a face look alike.
std::vector<bool> discMask(int diameter) {
  std::vector<bool> mask(static_cast<std::size_t>(diameter) * diameter);
  const double r = diameter / 2.0;
  for (int y = 0; y < diameter; ++y) {
    for (int x = 0; x < diameter; ++x) {
      const double dx = x + 0.5 - r;
      const double dy = y + 0.5 - r;
      mask[static_cast<std::size_t>(y) * diameter + x] = dx * dx + dy * dy <= r * r;
    }
  }
  return mask;
}

}  // namespace

std::vector<PipCentre> pipCentres(int pips) {
  // Faces 2 and 3 sit a pixel off the exact diagonal, as the artwork was drawn; the asset tests
  // pin every centre, so change both together.
  const std::vector<PipCentre> corners = {{7, 7}, {31, 7}, {7, 31}, {31, 31}};
  switch (pips) {
    case 1:
      return {{19, 19}};
    case 2:
      return {{9, 9}, {28, 27}};
    case 3:
      return {{8, 8}, {19, 19}, {30, 29}};
    case 4:
      return corners;
    case 5: {
      auto five = corners;
      five.push_back({19, 19});
      return five;
    }
    case 6:
      return {{7, 7}, {7, 19}, {7, 31}, {31, 7}, {31, 19}, {31, 31}};
    default:
      throw std::invalid_argument("a die face has 1 to 6 pips");
  }
}

toolkit::Image drawFaceAt(int pips, double scale) {
  const std::vector<PipCentre> centres = pipCentres(pips);
  toolkit::Image face;
  face.width = std::max(1, roundHalfUp(kFaceSide * scale));
  face.height = face.width;
  face.rgb.assign(static_cast<std::size_t>(face.width) * face.height * 3, 255);
  // The face's own scale, so that the pips keep their places on a side that was rounded.
  const double k = static_cast<double>(face.width) / kFaceSide;
  const int diameter = std::max(1, roundHalfUp(kPipDiameter * k));
  const std::vector<bool> mask = discMask(diameter);
  for (const PipCentre& c : centres) {
    // The centre of a pixel column lies half a pixel into it.
    const int left = roundHalfUp((c.x + 0.5) * k - diameter / 2.0);
    const int top = roundHalfUp((c.y + 0.5) * k - diameter / 2.0);
    for (int y = 0; y < diameter; ++y) {
      for (int x = 0; x < diameter; ++x) {
        const int fx = left + x;
        const int fy = top + y;
        if (!mask[static_cast<std::size_t>(y) * diameter + x] || fx < 0 || fy < 0 ||
            fx >= face.width || fy >= face.height) {
          continue;
        }
        std::uint8_t* p = face.pixel(fx, fy);
        p[0] = p[1] = p[2] = 0;
      }
    }
  }
  return face;
}

}  // namespace assets
