#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
};

// A palettised picture under construction: one palette index per pixel, rows top to bottom.
// Every picture the game ships uses a handful of flat colours, so drawing in indices keeps the
// encoders exact (no colour matching, no stray shades).
struct IndexedImage {
  IndexedImage(int w, int h, std::uint8_t fill)
      : width(w), height(h), index(static_cast<std::size_t>(w) * h, fill) {}

  std::uint8_t at(int x, int y) const { return index[static_cast<std::size_t>(y) * width + x]; }
  void set(int x, int y, std::uint8_t value) {
    if (x >= 0 && y >= 0 && x < width && y < height) {
      index[static_cast<std::size_t>(y) * width + x] = value;
    }
  }

  int width;
  int height;
  std::vector<std::uint8_t> index;
};

// Palettes are always written at full length; entries a picture does not use stay black.
using Palette = std::vector<Rgb>;

}  // namespace assetgen
