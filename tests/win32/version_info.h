#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The parts of a version resource the tests look at: the fixed numbers and every string of every
// string table. Throws pe::PeError when the block structure is damaged.
namespace pe {

struct VersionInfo {
  std::uint32_t signature = 0;
  std::uint32_t fileVersionMS = 0;
  std::uint32_t fileVersionLS = 0;
  std::uint32_t productVersionMS = 0;
  std::uint32_t productVersionLS = 0;
  std::map<std::string, std::string> strings;  // ASCII keys and values, as the block spells them
};

VersionInfo parseVersionInfo(const std::vector<std::uint8_t>& data);

}  // namespace pe
