#pragma once

#include <cstdint>
#include <vector>

#include "indexed_image.h"

namespace assetgen {

// A complete .ico file holding one 256-colour image (at most 256 x 256 pixels).
std::vector<std::uint8_t> encodeIco8Bit(const IndexedImage& image, const Palette& palette);

}  // namespace assetgen
