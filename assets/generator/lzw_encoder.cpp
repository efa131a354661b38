#include "lzw_encoder.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace assetgen {
namespace {

constexpr int kMaxCodeWidth = 12;
constexpr int kTableSize = 1 << kMaxCodeWidth;
constexpr int kNoCode = -1;

class BitPacker {
 public:
  void put(int code, int width) {
    buffer_ |= static_cast<std::uint32_t>(code) << filled_;
    filled_ += width;
    while (filled_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
      buffer_ >>= 8;
      filled_ -= 8;
    }
  }
  std::vector<std::uint8_t> finish() {
    if (filled_ > 0) bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
    buffer_ = 0;
    filled_ = 0;
    return std::move(bytes_);
  }

 private:
  std::uint32_t buffer_ = 0;
  int filled_ = 0;
  std::vector<std::uint8_t> bytes_;
};

// The string table: entry (prefix code, next index) -> code, kept as a dense array because
// the alphabet is at most 256 symbols and the table at most 4096 codes.
class StringTable {
 public:
  explicit StringTable(int alphabet)
      : alphabet_(alphabet), next_(static_cast<std::size_t>(kTableSize) * alphabet, kNoCode) {}

  int find(int prefix, int symbol) const { return next_[slot(prefix, symbol)]; }
  void add(int prefix, int symbol, int code) { next_[slot(prefix, symbol)] = code; }
  void clear() { std::fill(next_.begin(), next_.end(), kNoCode); }

 private:
  std::size_t slot(int prefix, int symbol) const {
    return static_cast<std::size_t>(prefix) * alphabet_ + symbol;
  }
  int alphabet_;
  std::vector<int> next_;
};

}  // namespace

std::vector<std::uint8_t> lzwCompress(std::span<const std::uint8_t> indices, int minCodeSize) {
  if (minCodeSize < 2 || minCodeSize > 8) throw std::invalid_argument("LZW code size 2..8");
  const int alphabet = 1 << minCodeSize;
  const int clearCode = alphabet;
  const int endCode = alphabet + 1;
  const int firstFreeCode = alphabet + 2;

  BitPacker out;
  StringTable table(alphabet);
  // A decoder adds its table entry one code later than the encoder, so the width of the next
  // code follows the decoder's view: it grows once the decoder's next free code needs a bit
  // more. Tracking that count directly keeps the two sides in step, including for the final
  // end-of-information code.
  int decoderNextCode = firstFreeCode - 1;  // before any code, as if one entry were pending
  int nextCode = firstFreeCode;
  auto width = [&] {
    return std::min(kMaxCodeWidth,
                    static_cast<int>(std::bit_width(static_cast<unsigned>(decoderNextCode))));
  };
  auto emit = [&](int code) {
    out.put(code, width());
    ++decoderNextCode;
  };
  auto restart = [&] {
    out.put(clearCode, width());
    table.clear();
    nextCode = firstFreeCode;
    decoderNextCode = firstFreeCode - 1;
  };

  restart();
  if (indices.empty()) {
    out.put(endCode, width());
    return out.finish();
  }

  int prefix = indices[0];
  if (prefix >= alphabet) throw std::invalid_argument("pixel index outside the code alphabet");
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const int symbol = indices[i];
    if (symbol >= alphabet) throw std::invalid_argument("pixel index outside the code alphabet");
    const int known = table.find(prefix, symbol);
    if (known != kNoCode) {
      prefix = known;
      continue;
    }
    emit(prefix);
    table.add(prefix, symbol, nextCode++);
    if (nextCode == kTableSize) restart();
    prefix = symbol;
  }
  emit(prefix);
  out.put(endCode, width());
  return out.finish();
}

}  // namespace assetgen
