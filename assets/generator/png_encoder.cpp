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

// Writes bits least significant first, as deflate packs them into bytes.
class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) put((value >> i) & 1);
  }
  // Huffman codes go most significant bit first.
  void code(std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) put((value >> i) & 1);
  }
  void flush() {
    if (used_ > 0) out_.push_back(current_);
    current_ = 0;
    used_ = 0;
  }

 private:
  void put(std::uint32_t bit) {
    current_ = static_cast<std::uint8_t>(current_ | (bit << used_));
    if (++used_ == 8) flush();
  }
  std::vector<std::uint8_t>& out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

// A literal byte or a length or end symbol in deflate's fixed code.
void putSymbol(BitWriter& bits, int symbol) {
  if (symbol < 144) {
    bits.code(static_cast<std::uint32_t>(0x30 + symbol), 8);
  } else if (symbol < 256) {
    bits.code(static_cast<std::uint32_t>(0x190 + symbol - 144), 9);
  } else if (symbol < 280) {
    bits.code(static_cast<std::uint32_t>(symbol - 256), 7);
  } else {
    bits.code(static_cast<std::uint32_t>(0xC0 + symbol - 280), 8);
  }
}

// Deflate's table of code, first value and extra bits, for lengths (3 to 258) and distances.
struct Range {
  int first;
  int extra;
};
constexpr std::array<Range, 29> kLengths = {{
    {3, 0},  {4, 0},  {5, 0},  {6, 0},   {7, 0},   {8, 0},   {9, 0},   {10, 0},  {11, 1},  {13, 1},
    {15, 1}, {17, 1}, {19, 2}, {23, 2},  {27, 2},  {31, 2},  {35, 3},  {43, 3},  {51, 3},  {59, 3},
    {67, 4}, {83, 4}, {99, 4}, {115, 4}, {131, 5}, {163, 5}, {195, 5}, {227, 5}, {258, 0},
}};
constexpr std::array<Range, 30> kDistances = {{
    {1, 0},     {2, 0},     {3, 0},     {4, 0},      {5, 1},      {7, 1},
    {9, 2},     {13, 2},    {17, 3},    {25, 3},     {33, 4},     {49, 4},
    {65, 5},    {97, 5},    {129, 6},   {193, 6},    {257, 7},    {385, 7},
    {513, 8},   {769, 8},   {1025, 9},  {1537, 9},   {2049, 10},  {3073, 10},
    {4097, 11}, {6145, 11}, {8193, 12}, {12289, 12}, {16385, 13}, {24577, 13},
}};

template <std::size_t N>
std::size_t rangeOf(const std::array<Range, N>& table, int value) {
  std::size_t i = N - 1;
  while (table[i].first > value) --i;
  return i;
}

void putMatch(BitWriter& bits, int length, int distance) {
  const std::size_t l = length == 258 ? 28 : rangeOf(kLengths, length);
  putSymbol(bits, 257 + static_cast<int>(l));
  bits.bits(static_cast<std::uint32_t>(length - kLengths[l].first), kLengths[l].extra);
  const std::size_t d = rangeOf(kDistances, distance);
  bits.code(static_cast<std::uint32_t>(d), 5);
  bits.bits(static_cast<std::uint32_t>(distance - kDistances[d].first), kDistances[d].extra);
}

// A zlib stream of one fixed-code deflate block whose matches look back one pixel or one row.
std::vector<std::uint8_t> zlibRuns(std::span<const std::uint8_t> raw, int rowBytes) {
  constexpr int kMaxMatch = 258;
  std::vector<std::uint8_t> out = {0x78, 0x01};
  BitWriter bits(out);
  bits.bits(1, 1);  // BFINAL
  bits.bits(1, 2);  // BTYPE 01: fixed codes
  std::size_t at = 0;
  while (at < raw.size()) {
    int best = 0;
    int bestDistance = 0;
    for (int distance : {3, rowBytes}) {
      if (static_cast<std::size_t>(distance) > at || distance > 32768) continue;
      int length = 0;
      while (length < kMaxMatch && at + static_cast<std::size_t>(length) < raw.size() &&
             raw[at + static_cast<std::size_t>(length)] ==
                 raw[at + static_cast<std::size_t>(length) - static_cast<std::size_t>(distance)]) {
        ++length;
      }
      if (length > best) {
        best = length;
        bestDistance = distance;
      }
    }
    if (best >= 3) {
      putMatch(bits, best, bestDistance);
      at += static_cast<std::size_t>(best);
    } else {
      putSymbol(bits, raw[at]);
      ++at;
    }
  }
  putSymbol(bits, 256);  // end of block
  bits.flush();
  putU32(out, adler32(raw));
  return out;
}

std::vector<std::uint8_t> encodePng(const RgbImage& image, bool packed) {
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
  putChunk(out, "IDAT", packed ? zlibRuns(raw, 1 + 3 * image.width) : zlibStored(raw));
  putChunk(out, "IEND", {});
  return out;
}

}  // namespace

std::vector<std::uint8_t> encodePngRgb(const RgbImage& image) {
  return encodePng(image, false);
}

std::vector<std::uint8_t> encodePngRgbPacked(const RgbImage& image) {
  return encodePng(image, true);
}

}  // namespace assetgen
