#include "png_encoder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string_view>

namespace assetgen {
namespace {

// PNG stores every number big-endian, unlike the other formats the generator writes.
void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
  }
}

std::uint32_t crc32(std::span<const std::uint8_t> data) {
  static constexpr std::array<std::uint32_t, 256> kTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    return table;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::uint8_t b : data) c = kTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(std::span<const std::uint8_t> data) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

// A chunk is its length, then its type and data, then the CRC of type and data.
void putChunk(std::vector<std::uint8_t>& out, std::string_view type,
              std::span<const std::uint8_t> data) {
  putU32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  putU32(out, crc32(std::span(out).subspan(typeAt)));
}

// A zlib stream of stored deflate blocks, each at most 65535 bytes long.
std::vector<std::uint8_t> zlibStored(std::span<const std::uint8_t> raw) {
  constexpr std::size_t kMaxBlock = 65535;
  std::vector<std::uint8_t> out = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kMaxBlock, raw.size() - at);
    const bool last = at + length == raw.size();
    out.push_back(last ? 1 : 0);  // BFINAL, and BTYPE 00: stored
    out.push_back(static_cast<std::uint8_t>(length & 0xFF));
    out.push_back(static_cast<std::uint8_t>(length >> 8));
    out.push_back(static_cast<std::uint8_t>(~length & 0xFF));
    out.push_back(static_cast<std::uint8_t>((~length >> 8) & 0xFF));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  putU32(out, adler32(raw));
  return out;
}

}  // namespace

std::vector<std::uint8_t> encodePngRgb(const RgbImage& image) {
  if (image.width < 1 || image.height < 1 || image.width > 4096 || image.height > 4096) {
    throw std::invalid_argument("PNG pictures here are 1 to 4096 pixels a side");
  }
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  std::vector<std::uint8_t> header;
  putU32(header, static_cast<std::uint32_t>(image.width));
  putU32(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filter 0, no interlace
  putChunk(out, "IHDR", header);

  // Each row starts with its filter type; 0 leaves the row as it is.
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(image.height) * (1 + 3 * image.width));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < image.width; ++x) {
      const Rgb& p = image.at(x, y);
      raw.insert(raw.end(), {p.r, p.g, p.b});
    }
  }
  putChunk(out, "IDAT", zlibStored(raw));
  putChunk(out, "IEND", {});
  return out;
}

}  // namespace assetgen
