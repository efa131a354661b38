#pragma once

#include <cstdint>
#include <random>

namespace toolkit {

// The game's uniform generator of values in [0, 1). The engine's output is fixed by the C++
// standard and the conversion is done here rather than by a distribution, so the same seed gives
// the same game on every platform and library; replays depend on that.
class UniformRandom {
 public:
  explicit UniformRandom(std::uint64_t seed = 1) : engine_(seed) {}
  void seed(std::uint64_t seed) { engine_.seed(seed); }
  // 53 random bits scaled into [0, 1): never 1.0.
  double next() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

}  // namespace toolkit
