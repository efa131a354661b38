#include "asset_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace asset_tests {
namespace {

void checkRange(std::span<const std::uint8_t> data, std::size_t at, std::size_t size) {
  if (at + size > data.size()) throw std::out_of_range("field lies past the end of the file");
}

}  // namespace

std::vector<std::uint8_t> readAssetFile(const std::string& name) {
  const std::string path = std::string(QUINTOZ_ASSET_DIR) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le16(std::span<const std::uint8_t> data, std::size_t at) {
  checkRange(data, at, 2);
  return data[at] | (static_cast<std::uint32_t>(data[at + 1]) << 8);
}

std::uint32_t le32(std::span<const std::uint8_t> data, std::size_t at) {
  return le16(data, at) | (le16(data, at + 2) << 16);
}

std::string fourCc(std::span<const std::uint8_t> data, std::size_t at) {
  checkRange(data, at, 4);
  return std::string(data.begin() + at, data.begin() + at + 4);
}

}  // namespace asset_tests
