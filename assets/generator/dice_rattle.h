#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

inline constexpr std::uint32_t kRattleSampleRate = 16000;
inline constexpr std::size_t kRattleSamples = 17286;  // about 1.08 s

// The sound of a roll: five dice thrown onto a wooden table, bouncing, tumbling and settling,
// synthesised from a fixed seed. 8-bit unsigned samples, 128 is silence; the last ~0.2 s is
// silent.
std::vector<std::uint8_t> synthesiseDiceRattle();

}  // namespace assetgen
