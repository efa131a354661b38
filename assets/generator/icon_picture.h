#pragma once

#include <string>

#include "indexed_image.h"
#include "rgb_image.h"

namespace assetgen {

inline constexpr int kIconSize = 32;

// The program icon: a white die showing six on a brown ground, with its 256-entry palette.
IndexedImage drawIcon();
Palette iconPalette();

// The same design for desktop menus: drawn from its geometry at `size` pixels a side with
// smoothed edges (not scaled up from the 32-pixel picture), and as a scalable SVG document.
RgbImage drawIconAt(int size);
std::string iconSvg();

}  // namespace assetgen
