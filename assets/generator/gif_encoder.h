#pragma once

#include <cstdint>
#include <vector>

#include "indexed_image.h"

namespace assetgen {

// A complete GIF89a file: one non-interlaced frame at the origin, a 256-entry global colour
// table (the palette padded with black), no extensions. The background colour is index 0.
std::vector<std::uint8_t> encodeGif(const IndexedImage& image, const Palette& palette);

}  // namespace assetgen
