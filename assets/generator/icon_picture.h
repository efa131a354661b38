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

// The design for launchers that cut icons into circles or rounded squares (a "maskable" web
// icon): the die drawn smaller, in the middle of a brown square of `size` pixels, so that all of
// it lies inside the central circle of 80 % of the side that every such cut keeps.
RgbImage drawMaskableIconAt(int size);
std::string iconSvg();

}  // namespace assetgen
