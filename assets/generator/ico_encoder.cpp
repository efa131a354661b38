#include "ico_encoder.h"

#include <stdexcept>

#include "bmp_encoder.h"
#include "byte_writer.h"

namespace assetgen {

std::vector<std::uint8_t> encodeIco8Bit(const IndexedImage& image, const Palette& palette) {
  if (image.width < 1 || image.height < 1 || image.width > 256 || image.height > 256) {
    throw std::invalid_argument("icon images are 1 to 256 pixels a side");
  }
  const std::vector<std::uint8_t> dib = encodeIconDib8Bit(image, palette);
  constexpr std::uint32_t kDirectorySize = 6 + 16;

  ByteWriter out;
  out.u16(0);  // reserved
  out.u16(1);  // resource type: icon
  out.u16(1);  // one image
  // A size byte of 0 means 256; so does a colour count of 0 for 8-bit images.
  out.u8(static_cast<std::uint8_t>(image.width & 0xFF));
  out.u8(static_cast<std::uint8_t>(image.height & 0xFF));
  out.u8(0);
  out.u8(0);   // reserved
  out.u16(1);  // colour planes
  out.u16(8);  // bits per pixel
  out.u32(static_cast<std::uint32_t>(dib.size()));
  out.u32(kDirectorySize);
  out.append(dib);
  return out.take();
}

}  // namespace assetgen
