#pragma once

#include <cstdint>

namespace assetgen {

// A small PCG32 generator. The standard library's distributions differ between library
// versions, so the generator draws its own numbers to keep the asset files byte-identical.
class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) {
    next();
    state_ += seed;
    next();
  }

  std::uint32_t next() {
    const std::uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + kIncrement;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rotation = static_cast<std::uint32_t>(old >> 59u);
    return (xorShifted >> rotation) | (xorShifted << ((32u - rotation) & 31u));
  }

  // Uniform in [lo, hi), with 24 bits of resolution.
  double uniform(double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(next() >> 8) / 16777216.0;
  }

 private:
  static constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
  std::uint64_t state_ = 0;
};

}  // namespace assetgen
