#pragma once

#include <cstdint>
#include <vector>

#include "rgb_image.h"

namespace assetgen {

// A complete PNG file holding the picture as 8-bit RGB. The pixel data is stored in
// uncompressed deflate blocks: the files stay small enough, and the encoder needs no library.
std::vector<std::uint8_t> encodePngRgb(const RgbImage& image);

}  // namespace assetgen
