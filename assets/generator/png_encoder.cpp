#include "png_encoder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
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

// A zlib stream of one fixed-code deflate block. Each position takes the longest match among
// the earlier places where its next three bytes occurred (the latest few hundred, within
// deflate's 32 KiB window), which finds the pixel before, the row above and repeated shapes.
std::vector<std::uint8_t> zlibPacked(std::span<const std::uint8_t> raw) {
  constexpr int kMaxMatch = 258;
  constexpr std::size_t kWindow = 32768;
  constexpr int kMaxTries = 256;
  std::vector<std::uint8_t> out = {0x78, 0x01};
  BitWriter bits(out);
  bits.bits(1, 1);  // BFINAL
  bits.bits(1, 2);  // BTYPE 01: fixed codes
  // Three bytes hashed to 16 bits; a collision costs only a wasted comparison.
  const auto keyAt = [&](std::size_t at) {
    const std::uint32_t bytes = (static_cast<std::uint32_t>(raw[at]) << 16) |
                                (static_cast<std::uint32_t>(raw[at + 1]) << 8) | raw[at + 2];
    return (bytes * 2654435761u) >> 16;
  };
  // The latest position of each key, and for each position the one before it with its key.
  std::vector<std::int64_t> latest(1 << 16, -1);
  std::vector<std::int64_t> previous(raw.size(), -1);
  const auto remember = [&](std::size_t at) {
    if (at + 3 > raw.size()) return;
    const std::uint32_t key = keyAt(at);
    previous[at] = latest[key];
    latest[key] = static_cast<std::int64_t>(at);
  };
  std::size_t at = 0;
  while (at < raw.size()) {
    int best = 0;
    std::size_t bestDistance = 0;
    if (at + 3 <= raw.size()) {
      std::int64_t candidate = latest[keyAt(at)];
      for (int tries = 0; candidate >= 0 && tries < kMaxTries; ++tries) {
        const std::size_t from = static_cast<std::size_t>(candidate);
        if (at - from > kWindow) break;
        int length = 0;
        while (length < kMaxMatch && at + static_cast<std::size_t>(length) < raw.size() &&
               raw[at + static_cast<std::size_t>(length)] ==
                   raw[from + static_cast<std::size_t>(length)]) {
          ++length;
        }
        if (length > best) {
          best = length;
          bestDistance = at - from;
        }
        candidate = previous[from];
      }
    }
    if (best >= 3) {
      putMatch(bits, best, static_cast<int>(bestDistance));
      for (int i = 0; i < best; ++i) remember(at + static_cast<std::size_t>(i));
      at += static_cast<std::size_t>(best);
    } else {
      putSymbol(bits, raw[at]);
      remember(at);
      ++at;
    }
  }
  putSymbol(bits, 256);  // end of block
  bits.flush();
  putU32(out, adler32(raw));
  return out;
}

// The picture's colours in the order they first appear, when there are at most 256 of them.
std::optional<std::vector<Rgb>> paletteOf(const RgbImage& image) {
  std::vector<Rgb> palette;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb& p = image.at(x, y);
      const auto same = [&](const Rgb& q) { return q.r == p.r && q.g == p.g && q.b == p.b; };
      if (std::find_if(palette.begin(), palette.end(), same) != palette.end()) continue;
      if (palette.size() == 256) return std::nullopt;
      palette.push_back(p);
    }
  }
  return palette;
}

std::vector<std::uint8_t> encodePng(const RgbImage& image, bool packed) {
  if (image.width < 1 || image.height < 1 || image.width > 4096 || image.height > 4096) {
    throw std::invalid_argument("PNG pictures here are 1 to 4096 pixels a side");
  }
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  // A packed picture of few colours is stored as indices into its palette: a third of the
  // bytes to compress.
  const std::optional<std::vector<Rgb>> palette =
      packed ? paletteOf(image) : std::optional<std::vector<Rgb>>{};
  std::vector<std::uint8_t> header;
  putU32(header, static_cast<std::uint32_t>(image.width));
  putU32(header, static_cast<std::uint32_t>(image.height));
  const std::uint8_t colourType = palette ? 3 : 2;        // indexed or RGB
  header.insert(header.end(), {8, colourType, 0, 0, 0});  // 8 bits, deflate, filter 0, no interlace
  putChunk(out, "IHDR", header);
  if (palette) {
    std::vector<std::uint8_t> entries;
    for (const Rgb& p : *palette) entries.insert(entries.end(), {p.r, p.g, p.b});
    putChunk(out, "PLTE", entries);
  }

  // Each row starts with its filter type; 0 leaves the row as it is.
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(image.height) * (1 + 3 * image.width));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < image.width; ++x) {
      const Rgb& p = image.at(x, y);
      if (palette) {
        const auto same = [&](const Rgb& q) { return q.r == p.r && q.g == p.g && q.b == p.b; };
        raw.push_back(static_cast<std::uint8_t>(
            std::find_if(palette->begin(), palette->end(), same) - palette->begin()));
      } else {
        raw.insert(raw.end(), {p.r, p.g, p.b});
      }
    }
  }
  putChunk(out, "IDAT", packed ? zlibPacked(raw) : zlibStored(raw));
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
