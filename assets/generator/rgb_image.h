#pragma once

#include <cstddef>
#include <vector>

#include "indexed_image.h"

namespace assetgen {

// A full-colour picture under construction, for the files whose edges are smoothed and so use
// more shades than a palette holds. Rows run top to bottom.
struct RgbImage {
  RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}

  Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

  int width;
  int height;
  std::vector<Rgb> pixels;
};

}  // namespace assetgen
