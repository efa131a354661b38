#pragma once

#include "indexed_image.h"

namespace assetgen {

inline constexpr int kIconSize = 32;

// The program icon: a white die showing six on a brown ground, with its 256-entry palette.
IndexedImage drawIcon();
Palette iconPalette();

}  // namespace assetgen
