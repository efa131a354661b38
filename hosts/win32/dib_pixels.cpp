#include "hosts/win32/dib_pixels.h"

namespace win32 {

std::vector<std::uint8_t> toDibRows(const toolkit::Image& image) {
  const int stride = dibStride(image.width);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(stride) * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* row = &out[static_cast<std::size_t>(y) * stride];
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* rgb = image.pixel(x, y);
      row[x * 3 + 0] = rgb[2];
      row[x * 3 + 1] = rgb[1];
      row[x * 3 + 2] = rgb[0];
    }
  }
  return out;
}

}  // namespace win32
