#include "icon_to_bitmap.h"

#include <algorithm>
#include <stdexcept>

namespace assets {
namespace {

constexpr std::size_t kIconDirSize = 6;
constexpr std::size_t kIconEntrySize = 16;
constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t readLe(std::span<const std::uint8_t> data, std::size_t at, int size) {
  if (at + size > data.size()) throw std::runtime_error("icon file is truncated");
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | data[at + i];
  return value;
}

void writeLe(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> iconToBitmap(std::span<const std::uint8_t> ico) {
  if (readLe(ico, 0, 2) != 0 || readLe(ico, 2, 2) != 1 || readLe(ico, 4, 2) < 1) {
    throw std::runtime_error("not an icon file");
  }
  const std::uint32_t size = readLe(ico, kIconDirSize + 8, 4);
  const std::uint32_t offset = readLe(ico, kIconDirSize + 12, 4);
  if (offset < kIconDirSize + kIconEntrySize || size > ico.size() || offset > ico.size() - size) {
    throw std::runtime_error("icon image lies outside the file");
  }
  const std::span<const std::uint8_t> dib = ico.subspan(offset, size);
  if (readLe(dib, 0, 4) != kInfoHeaderSize) {
    throw std::runtime_error("icon image is not a BITMAPINFOHEADER bitmap");
  }
  const std::uint32_t bitsPerPixel = readLe(dib, 14, 2);
  std::uint32_t colours = readLe(dib, 32, 4);
  if (colours == 0 && bitsPerPixel <= 8) colours = 1u << bitsPerPixel;
  const auto doubledHeight = static_cast<std::int32_t>(readLe(dib, 8, 4));

  std::vector<std::uint8_t> bmp(kBmpFileHeaderSize + dib.size());
  bmp[0] = 'B';
  bmp[1] = 'M';
  writeLe(bmp, 2, static_cast<std::uint32_t>(bmp.size()), 4);
  writeLe(bmp, 10, static_cast<std::uint32_t>(kBmpFileHeaderSize + kInfoHeaderSize + 4 * colours),
          4);
  std::copy(dib.begin(), dib.end(), bmp.begin() + kBmpFileHeaderSize);
  writeLe(bmp, kBmpFileHeaderSize + 8, static_cast<std::uint32_t>(doubledHeight / 2), 4);
  return bmp;
}

}  // namespace assets
