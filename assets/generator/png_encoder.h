#pragma once

#include <cstdint>
#include <vector>

#include "rgb_image.h"

namespace assetgen {

// A complete PNG file holding the picture as 8-bit RGB. The pixel data is stored in
// uncompressed deflate blocks: the files stay small enough, and the encoder needs no library.
std::vector<std::uint8_t> encodePngRgb(const RgbImage& image);

// The same picture compressed: indexed when it has at most 256 colours, then deflated with its
// fixed codes and matches found by hashing. For pictures that are downloaded (the web page's
// icons), where stored blocks would make a 512-pixel icon of flat colours weigh 768 KiB.
std::vector<std::uint8_t> encodePngRgbPacked(const RgbImage& image);

}  // namespace assetgen
