#pragma once

#include <cstdint>
#include <string_view>

#include "indexed_image.h"

namespace assetgen {

// A small sans-serif stroke font holding just the letters the tray caption needs. Capitals
// and ascenders are kStrokeCapHeight pixels tall, nothing descends below the baseline.
inline constexpr int kStrokeCapHeight = 20;

// Renders `text` without anti-aliasing: ink where a letter's pen passes, paper elsewhere. The
// result is cropped to the ink horizontally and is exactly kStrokeCapHeight rows tall, the
// first row being the top of the capitals. Throws for characters the font lacks.
IndexedImage renderStrokeText(std::string_view text, std::uint8_t ink, std::uint8_t paper);

}  // namespace assetgen
