// iconToBitmap on hand-made icons: what it builds, and the malformed input it refuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "asset_file.h"
#include "icon_to_bitmap.h"

namespace asset_tests {
namespace {

void put(std::vector<std::uint8_t>& data, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) data[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 2 x 2 icon, 8 bits per pixel, with `colours` palette entries (0 meaning 256).
std::vector<std::uint8_t> tinyIcon(std::uint32_t colours) {
  const std::uint32_t entries = colours == 0 ? 256 : colours;
  const std::size_t dibSize = 40 + 4 * entries + 2 * 4 + 2 * 4;  // pixels, then mask
  std::vector<std::uint8_t> ico(22 + dibSize, 0);
  put(ico, 2, 1, 2);
  put(ico, 4, 1, 2);
  ico[6] = 2;
  ico[7] = 2;
  put(ico, 10, 1, 2);
  put(ico, 12, 8, 2);
  put(ico, 14, static_cast<std::uint32_t>(dibSize), 4);
  put(ico, 18, 22, 4);
  put(ico, 22, 40, 4);
  put(ico, 26, 2, 4);
  put(ico, 30, 4, 4);  // doubled height
  put(ico, 34, 1, 2);
  put(ico, 36, 8, 2);
  put(ico, 54, colours, 4);
  return ico;
}

TEST(IconToBitmap, PrependsAFileHeaderAndHalvesTheHeight) {
  for (std::uint32_t colours : {0u, 16u}) {
    const std::vector<std::uint8_t> ico = tinyIcon(colours);
    const std::vector<std::uint8_t> bmp = assets::iconToBitmap(ico);
    ASSERT_EQ(bmp.size(), 14 + ico.size() - 22);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    const std::uint32_t paletteEntries = colours == 0 ? 256 : colours;
    EXPECT_EQ(le32(bmp, 10), 14 + 40 + 4 * paletteEntries) << "pixels follow the palette";
    EXPECT_EQ(static_cast<std::int32_t>(le32(bmp, 22)), 2) << "height without the mask";
    EXPECT_TRUE(std::equal(ico.begin() + 22 + 12, ico.end(), bmp.begin() + 14 + 12))
        << "everything after the height is copied unchanged";
  }
}

TEST(IconToBitmap, RefusesMalformedIcons) {
  const std::vector<std::uint8_t> good = tinyIcon(0);

  std::vector<std::uint8_t> cursor = good;
  put(cursor, 2, 2, 2);  // type 2 is a cursor
  EXPECT_THROW(assets::iconToBitmap(cursor), std::runtime_error);

  std::vector<std::uint8_t> truncated(good.begin(), good.end() - 10);
  EXPECT_THROW(assets::iconToBitmap(truncated), std::runtime_error);

  std::vector<std::uint8_t> offsetPastEnd = good;
  put(offsetPastEnd, 18, static_cast<std::uint32_t>(good.size()), 4);
  EXPECT_THROW(assets::iconToBitmap(offsetPastEnd), std::runtime_error);

  std::vector<std::uint8_t> png = good;
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G'};
  std::copy(std::begin(signature), std::end(signature), png.begin() + 22);
  EXPECT_THROW(assets::iconToBitmap(png), std::runtime_error);

  EXPECT_THROW(assets::iconToBitmap(std::vector<std::uint8_t>(3, 0)), std::runtime_error);
}

}  // namespace
}  // namespace asset_tests
