#include "icon_picture.h"

#include "icon_geometry.h"

namespace assetgen {
namespace {

constexpr std::uint8_t kBrown = 0;
constexpr std::uint8_t kWhite = 1;
constexpr std::uint8_t kBlack = 2;

}  // namespace

IndexedImage drawIcon() {
  IndexedImage icon(kIconSize, kIconSize, kBrown);
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const assets::IconPart part = assets::iconPartAt(x, y);
      if (part == assets::IconPart::Ground) continue;
      icon.set(x, y, part == assets::IconPart::Pip ? kBlack : kWhite);
    }
  }
  return icon;
}

Palette iconPalette() {
  Palette palette(256);  // the unused entries stay black
  palette[kBrown] = {128, 64, 0};
  palette[kWhite] = {255, 255, 255};
  palette[kBlack] = {0, 0, 0};
  return palette;
}

}  // namespace assetgen
