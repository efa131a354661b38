#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace assetgen {

// GIF-flavoured LZW: variable code width from minCodeSize + 1 up to 12 bits, codes packed
// least significant bit first. Starts with a clear code, ends with the end-of-information
// code. Returns the packed bytes before they are cut into sub-blocks.
std::vector<std::uint8_t> lzwCompress(std::span<const std::uint8_t> indices, int minCodeSize);

}  // namespace assetgen
