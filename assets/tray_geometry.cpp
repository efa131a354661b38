#include "tray_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace assets {

namespace {

constexpr int kBandRows = 69;  // rows 0..68; row 0 itself is a dark edge line
// The game draws the tray 32 pixels to the left of its own origin, so only columns 32..368
// show; the caption is centred on what the player sees, not on the file.
constexpr int kCaptionCentreColumn = 200;
// Centre the capitals in the band below the edge line (rows 1..68).
constexpr int kCaptionTop = 1 + (kBandRows - 1 - kStrokeCapHeight) / 2;

}  // namespace

TrayGeometry::TrayGeometry()
    : caption_(kTrayCaption), captionLeft_(kCaptionCentreColumn - (caption_.inkWidth() - 1) / 2) {}

bool TrayGeometry::lightAt(double x, double y) const {
  if (y < 1 || y >= kBandRows) return false;
  return !caption_.inkAt(x - captionLeft_, y - kCaptionTop);
}

toolkit::Image drawTrayAt(double scale) {
  const TrayGeometry tray;
  toolkit::Image image;
  image.width = std::max(1, static_cast<int>(std::floor(kTrayWidth * scale + 0.5)));
  image.height = std::max(1, static_cast<int>(std::floor(kTrayHeight * scale + 0.5)));
  image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  const double kx = static_cast<double>(image.width) / kTrayWidth;
  const double ky = static_cast<double>(image.height) / kTrayHeight;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      // Sampled at the centre of each device pixel.
      const bool light = tray.lightAt((x + 0.5) / kx, (y + 0.5) / ky);
      std::uint8_t* p = image.pixel(x, y);
      p[0] = 0;
      p[1] = light ? 152 : 128;
      p[2] = 0;
    }
  }
  return image;
}

}  // namespace assets
