#include "tray_picture.h"

#include "tray_geometry.h"

namespace assetgen {
namespace {

constexpr std::uint8_t kDarkGreen = 0;
constexpr std::uint8_t kLightGreen = 1;

}  // namespace

IndexedImage drawTray() {
  const assets::TrayGeometry geometry;
  IndexedImage tray(kTrayWidth, kTrayHeight, kDarkGreen);
  for (int y = 0; y < kTrayHeight; ++y) {
    for (int x = 0; x < kTrayWidth; ++x) {
      if (geometry.lightAt(x + 0.5, y + 0.5)) tray.set(x, y, kLightGreen);
    }
  }
  return tray;
}

Palette trayPalette() {
  Palette palette(256);  // entries past the two greens stay black and are never used
  palette[kDarkGreen] = {0, 128, 0};
  palette[kLightGreen] = {0, 152, 0};
  return palette;
}

}  // namespace assetgen
