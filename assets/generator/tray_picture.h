#pragma once

#include "indexed_image.h"
#include "tray_geometry.h"

namespace assetgen {

inline constexpr int kTrayWidth = assets::kTrayWidth;
inline constexpr int kTrayHeight = assets::kTrayHeight;

// The dice tray: a light green caption band over a dark green felt, with the caption in dark
// green. Index 0 is dark green, index 1 light green; the palette has 256 entries.
IndexedImage drawTray();
Palette trayPalette();

}  // namespace assetgen
