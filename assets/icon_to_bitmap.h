#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace assets {

// Rewrites the first image of an .ico file as a stand-alone .bmp file, so an ordinary BMP
// decoder can read it: the icon's bitmap lacks the BMP file header and records twice its real
// height (colour bitmap and transparency mask stacked). The mask is left behind the pixels,
// where BMP decoders ignore it. Throws std::runtime_error for a malformed icon or one whose
// image is stored as PNG.
std::vector<std::uint8_t> iconToBitmap(std::span<const std::uint8_t> ico);

}  // namespace assets
