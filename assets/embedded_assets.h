#pragma once

#include <cstdint>
#include <span>

namespace assets {

// Every picture and sound the game uses. They are compiled into the program, so nothing is
// read from disk at run time.
enum class AssetId {
  Face1,
  Face2,
  Face3,
  Face4,
  Face5,
  Face6,
  Design1,
  Design2,
  Design3,
  Design4,
  Design5,
  Tray,
  Icon,
  RollSound
};

inline constexpr int kAssetCount = static_cast<int>(AssetId::RollSound) + 1;

// The embedded file, byte for byte as it is in the assets folder.
std::span<const std::uint8_t> bytes(AssetId id);

// The file's name in the assets folder ("face1.bmp", "roll.wav", ...), for tests and messages.
const char* fileName(AssetId id);

}  // namespace assets
