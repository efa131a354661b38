#include "tray_picture.h"

#include "stroke_font.h"

namespace assetgen {
namespace {

constexpr std::uint8_t kDarkGreen = 0;
constexpr std::uint8_t kLightGreen = 1;

constexpr int kBandRows = 69;  // rows 0..68; row 0 itself is a dark edge line
constexpr const char* kCaption = "Click Die to Save or Roll";
// The game draws the tray 32 pixels to the left of its own origin, so only columns 32..368
// show; the caption is centred on what the player sees, not on the file.
constexpr int kCaptionCentreColumn = 200;
// Centre the capitals in the band below the edge line (rows 1..68).
constexpr int kCaptionTop = 1 + (kBandRows - 1 - kStrokeCapHeight) / 2;

}  // namespace

IndexedImage drawTray() {
  IndexedImage tray(kTrayWidth, kTrayHeight, kDarkGreen);
  for (int y = 1; y < kBandRows; ++y) {
    for (int x = 0; x < kTrayWidth; ++x) tray.set(x, y, kLightGreen);
  }
  const IndexedImage caption = renderStrokeText(kCaption, kDarkGreen, kLightGreen);
  const int left = kCaptionCentreColumn - (caption.width - 1) / 2;
  for (int y = 0; y < caption.height; ++y) {
    for (int x = 0; x < caption.width; ++x) {
      tray.set(left + x, kCaptionTop + y, caption.at(x, y));
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
