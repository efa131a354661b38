#include "gif_encoder.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "byte_writer.h"
#include "lzw_encoder.h"

namespace assetgen {
namespace {

constexpr int kColourBits = 8;
constexpr std::size_t kColourTableEntries = 1u << kColourBits;
constexpr std::size_t kMaxSubBlock = 255;

void writeSubBlocks(ByteWriter& out, const std::vector<std::uint8_t>& data) {
  for (std::size_t pos = 0; pos < data.size(); pos += kMaxSubBlock) {
    const std::size_t length = std::min(kMaxSubBlock, data.size() - pos);
    out.u8(static_cast<std::uint8_t>(length));
    out.append(std::span(data).subspan(pos, length));
  }
  out.u8(0);  // block terminator
}

}  // namespace

std::vector<std::uint8_t> encodeGif(const IndexedImage& image, const Palette& palette) {
  if (palette.size() > kColourTableEntries) throw std::invalid_argument("palette over 256");
  if (image.width > 0xFFFF || image.height > 0xFFFF) throw std::invalid_argument("too large");
  const auto width = static_cast<std::uint16_t>(image.width);
  const auto height = static_cast<std::uint16_t>(image.height);

  ByteWriter out;
  out.tag("GIF89a");
  // Logical screen descriptor.
  out.u16(width);
  out.u16(height);
  // Global table present, 8 bits of colour resolution, unsorted, 2^(7+1) entries.
  out.u8(0x80 | ((kColourBits - 1) << 4) | (kColourBits - 1));
  out.u8(0);  // background colour index
  out.u8(0);  // square pixels
  for (std::size_t i = 0; i < kColourTableEntries; ++i) {
    const Rgb c = i < palette.size() ? palette[i] : Rgb{};
    out.u8(c.r);
    out.u8(c.g);
    out.u8(c.b);
  }
  // Image descriptor: the whole screen, no local table, rows in plain order.
  out.u8(0x2C);
  out.u16(0);
  out.u16(0);
  out.u16(width);
  out.u16(height);
  out.u8(0);
  out.u8(kColourBits);  // LZW minimum code size
  writeSubBlocks(out, lzwCompress(image.index, kColourBits));
  out.u8(0x3B);  // trailer
  return out.take();
}

}  // namespace assetgen
