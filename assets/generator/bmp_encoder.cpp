#include "bmp_encoder.h"

#include <stdexcept>

#include "byte_writer.h"

namespace assetgen {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// 96 dots per inch, the usual value; nothing in the game reads it.
constexpr std::int32_t kPixelsPerMetre = 3780;

std::uint32_t rowStride(int width, int bitsPerPixel) {
  const std::uint32_t bits = static_cast<std::uint32_t>(width) * bitsPerPixel;
  return ((bits + 31) / 32) * 4;
}

void writeInfoHeader(ByteWriter& out, int width, int height, int bitsPerPixel,
                     std::uint32_t imageSize, std::uint32_t coloursUsed) {
  out.u32(kInfoHeaderSize);
  out.i32(width);
  out.i32(height);
  out.u16(1);  // planes
  out.u16(static_cast<std::uint16_t>(bitsPerPixel));
  out.u32(0);  // BI_RGB, uncompressed
  out.u32(imageSize);
  out.i32(kPixelsPerMetre);
  out.i32(kPixelsPerMetre);
  out.u32(coloursUsed);
  out.u32(0);  // all colours important
}

void writeFileHeader(ByteWriter& out, std::uint32_t fileSize, std::uint32_t pixelOffset) {
  out.tag("BM");
  out.u32(fileSize);
  out.u32(0);  // reserved
  out.u32(pixelOffset);
}

void writePalette(ByteWriter& out, const Palette& palette, std::size_t entries) {
  if (palette.size() > entries) throw std::invalid_argument("palette too long for bit depth");
  for (std::size_t i = 0; i < entries; ++i) {
    const Rgb c = i < palette.size() ? palette[i] : Rgb{};
    out.u8(c.b);
    out.u8(c.g);
    out.u8(c.r);
    out.u8(0);
  }
}

}  // namespace

std::vector<std::uint8_t> encodeBmp1Bit(const IndexedImage& image, const Palette& palette) {
  const std::uint32_t stride = rowStride(image.width, 1);
  const std::uint32_t imageSize = stride * image.height;
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 2 * 4;

  ByteWriter out;
  writeFileHeader(out, pixelOffset + imageSize, pixelOffset);
  writeInfoHeader(out, image.width, image.height, 1, imageSize, 2);
  writePalette(out, palette, 2);
  for (int y = image.height - 1; y >= 0; --y) {  // BMP rows run bottom-up
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t index = image.at(x, y);
      if (index > 1) throw std::invalid_argument("1-bit picture uses an index above 1");
      if (index != 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.append(row);
  }
  return out.take();
}

std::vector<std::uint8_t> encodeBmp24Bit(const IndexedImage& image, const Palette& palette) {
  const std::uint32_t stride = rowStride(image.width, 24);
  const std::uint32_t imageSize = stride * image.height;
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;

  ByteWriter out;
  writeFileHeader(out, pixelOffset + imageSize, pixelOffset);
  writeInfoHeader(out, image.width, image.height, 24, imageSize, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = palette.at(image.at(x, y));
      out.u8(c.b);
      out.u8(c.g);
      out.u8(c.r);
    }
    out.zeros(stride - static_cast<std::uint32_t>(image.width) * 3);
  }
  return out.take();
}

std::vector<std::uint8_t> encodeIconDib8Bit(const IndexedImage& image, const Palette& palette) {
  const std::uint32_t colourStride = rowStride(image.width, 8);
  const std::uint32_t maskStride = rowStride(image.width, 1);
  const std::uint32_t imageSize = (colourStride + maskStride) * image.height;

  ByteWriter out;
  // Icons store the height of colour bitmap and mask together.
  writeInfoHeader(out, image.width, image.height * 2, 8, imageSize, 256);
  writePalette(out, palette, 256);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) out.u8(image.at(x, y));
    out.zeros(colourStride - static_cast<std::uint32_t>(image.width));
  }
  // A clear AND mask keeps every pixel opaque; the brown corners stand in for transparency
  // so the icon looks the same on every background and in every loader.
  out.zeros(static_cast<std::size_t>(maskStride) * image.height);
  return out.take();
}

}  // namespace assetgen
