#include "decode.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "icon_to_bitmap.h"

// stb_image is configured for what the game ships: BMP and GIF only, from memory only (the
// game reads no files), and with every function static so that another part of the program
// can carry its own copy of stb without a clash at link time.
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace assets {
namespace {

struct StbFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

toolkit::Image decodeWithStb(std::span<const std::uint8_t> file, const char* name) {
  int width = 0;
  int height = 0;
  int channels = 0;
  constexpr int kRgb = 3;
  const std::unique_ptr<stbi_uc, StbFree> pixels(stbi_load_from_memory(
      file.data(), static_cast<int>(file.size()), &width, &height, &channels, kRgb));
  if (!pixels) {
    throw std::runtime_error(std::string("cannot decode ") + name + ": " + stbi_failure_reason());
  }
  toolkit::Image image;
  image.width = width;
  image.height = height;
  const std::size_t size = static_cast<std::size_t>(width) * height * kRgb;
  image.rgb.assign(pixels.get(), pixels.get() + size);
  return image;
}

}  // namespace

toolkit::Image decodePicture(AssetId id) {
  const char* name = fileName(id);
  if (id == AssetId::RollSound) throw std::runtime_error(std::string(name) + " is not a picture");
  if (id == AssetId::Icon) {
    const std::vector<std::uint8_t> bmp = iconToBitmap(bytes(id));
    return decodeWithStb(bmp, name);
  }
  return decodeWithStb(bytes(id), name);
}

}  // namespace assets
