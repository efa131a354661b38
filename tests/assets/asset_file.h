#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace asset_tests {

// The committed file assets/<name>, read whole. Throws if it cannot be read.
std::vector<std::uint8_t> readAssetFile(const std::string& name);

// Little-endian fields, checked against the end of the data (throws std::out_of_range).
std::uint32_t le16(std::span<const std::uint8_t> data, std::size_t at);
std::uint32_t le32(std::span<const std::uint8_t> data, std::size_t at);
std::string fourCc(std::span<const std::uint8_t> data, std::size_t at);

}  // namespace asset_tests
