#pragma once

#include <cstdint>
#include <vector>

#include "indexed_image.h"

namespace assetgen {

// A complete .bmp file (BITMAPFILEHEADER + BITMAPINFOHEADER), 1 bit per pixel with a
// two-entry palette. Pixels must use indices 0 and 1 only.
std::vector<std::uint8_t> encodeBmp1Bit(const IndexedImage& image, const Palette& palette);

// A complete .bmp file, 24 bits per pixel: each index is looked up in the palette.
std::vector<std::uint8_t> encodeBmp24Bit(const IndexedImage& image, const Palette& palette);

// The device-independent bitmap an .ico entry holds: BITMAPINFOHEADER with the doubled height
// icons use, a 256-entry palette, 8-bit pixels bottom-up, then an all-zero (opaque) AND mask.
std::vector<std::uint8_t> encodeIconDib8Bit(const IndexedImage& image, const Palette& palette);

}  // namespace assetgen
