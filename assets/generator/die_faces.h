#pragma once

#include "indexed_image.h"

namespace assetgen {

inline constexpr int kFaceSize = 39;
inline constexpr std::uint8_t kFaceBlack = 0;
inline constexpr std::uint8_t kFaceWhite = 1;

// The face showing `pips` (1..6): black pips on a white square, palette index 0 black, 1 white.
IndexedImage drawDieFace(int pips);

// Black and white, in that order, as both the 1-bit faces and the 24-bit designs use them.
Palette facePalette();

}  // namespace assetgen
