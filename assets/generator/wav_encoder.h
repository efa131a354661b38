#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace assetgen {

// A complete RIFF WAVE file: PCM, mono, 8-bit unsigned samples (128 is silence).
std::vector<std::uint8_t> encodeWav8BitMono(std::span<const std::uint8_t> samples,
                                            std::uint32_t sampleRate);

}  // namespace assetgen
