#include "embedded_assets.h"

#include <array>
#include <stdexcept>

namespace assets {

// Defined in the sources that the build generates from the asset files.
namespace embedded {
std::span<const std::uint8_t> face1_bmp();
std::span<const std::uint8_t> face2_bmp();
std::span<const std::uint8_t> face3_bmp();
std::span<const std::uint8_t> face4_bmp();
std::span<const std::uint8_t> face5_bmp();
std::span<const std::uint8_t> face6_bmp();
std::span<const std::uint8_t> design1_bmp();
std::span<const std::uint8_t> design2_bmp();
std::span<const std::uint8_t> design3_bmp();
std::span<const std::uint8_t> design4_bmp();
std::span<const std::uint8_t> design5_bmp();
std::span<const std::uint8_t> tray_gif();
std::span<const std::uint8_t> icon_ico();
std::span<const std::uint8_t> roll_wav();
}  // namespace embedded

namespace {

struct Entry {
  AssetId id;
  const char* fileName;
  std::span<const std::uint8_t> (*bytes)();
};

// In AssetId order; the lookup below checks that, so a reordered enum cannot pair an id with
// the wrong file.
constexpr std::array<Entry, kAssetCount> kEntries = {{
    {AssetId::Face1, "face1.bmp", embedded::face1_bmp},
    {AssetId::Face2, "face2.bmp", embedded::face2_bmp},
    {AssetId::Face3, "face3.bmp", embedded::face3_bmp},
    {AssetId::Face4, "face4.bmp", embedded::face4_bmp},
    {AssetId::Face5, "face5.bmp", embedded::face5_bmp},
    {AssetId::Face6, "face6.bmp", embedded::face6_bmp},
    {AssetId::Design1, "design1.bmp", embedded::design1_bmp},
    {AssetId::Design2, "design2.bmp", embedded::design2_bmp},
    {AssetId::Design3, "design3.bmp", embedded::design3_bmp},
    {AssetId::Design4, "design4.bmp", embedded::design4_bmp},
    {AssetId::Design5, "design5.bmp", embedded::design5_bmp},
    {AssetId::Tray, "tray.gif", embedded::tray_gif},
    {AssetId::Icon, "icon.ico", embedded::icon_ico},
    {AssetId::RollSound, "roll.wav", embedded::roll_wav},
}};

constexpr bool entriesInIdOrder() {
  for (std::size_t i = 0; i < kEntries.size(); ++i) {
    if (static_cast<std::size_t>(kEntries[i].id) != i) return false;
  }
  return true;
}
static_assert(entriesInIdOrder(), "kEntries must list the assets in AssetId order");

const Entry& entry(AssetId id) {
  const auto index = static_cast<std::size_t>(id);
  if (index >= kEntries.size()) throw std::out_of_range("unknown asset id");
  return kEntries[index];
}

}  // namespace

std::span<const std::uint8_t> bytes(AssetId id) {
  return entry(id).bytes();
}

const char* fileName(AssetId id) {
  return entry(id).fileName;
}

}  // namespace assets
