// The library must hand out exactly the committed files, each under its own name.

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "asset_file.h"
#include "embedded_assets.h"

namespace asset_tests {
namespace {

using assets::AssetId;

std::vector<AssetId> allIds() {
  std::vector<AssetId> ids;
  for (int i = 0; i < assets::kAssetCount; ++i) ids.push_back(static_cast<AssetId>(i));
  return ids;
}

TEST(EmbeddedAssets, EveryAssetEqualsItsFileByteForByte) {
  for (AssetId id : allIds()) {
    const std::string name = assets::fileName(id);
    const std::vector<std::uint8_t> onDisk = readAssetFile(name);
    const auto embedded = assets::bytes(id);
    const std::vector<std::uint8_t> copy(embedded.begin(), embedded.end());
    EXPECT_FALSE(copy.empty()) << name;
    EXPECT_EQ(copy, onDisk) << name;
  }
}

TEST(EmbeddedAssets, IdsMapToTheExpectedFileNames) {
  EXPECT_STREQ(assets::fileName(AssetId::Face1), "face1.bmp");
  EXPECT_STREQ(assets::fileName(AssetId::Face6), "face6.bmp");
  EXPECT_STREQ(assets::fileName(AssetId::Design1), "design1.bmp");
  EXPECT_STREQ(assets::fileName(AssetId::Design5), "design5.bmp");
  EXPECT_STREQ(assets::fileName(AssetId::Tray), "tray.gif");
  EXPECT_STREQ(assets::fileName(AssetId::Icon), "icon.ico");
  EXPECT_STREQ(assets::fileName(AssetId::RollSound), "roll.wav");

  std::set<std::string> names;
  std::set<const std::uint8_t*> data;
  for (AssetId id : allIds()) {
    names.insert(assets::fileName(id));
    data.insert(assets::bytes(id).data());
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(assets::kAssetCount));
  EXPECT_EQ(data.size(), static_cast<std::size_t>(assets::kAssetCount)) << "no shared data";
}

TEST(EmbeddedAssets, UnknownIdIsRejected) {
  const auto bogus = static_cast<AssetId>(assets::kAssetCount);
  EXPECT_THROW(assets::bytes(bogus), std::out_of_range);
  EXPECT_THROW(assets::fileName(bogus), std::out_of_range);
}

}  // namespace
}  // namespace asset_tests
