#include "icon_picture.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "icon_geometry.h"

namespace assetgen {
namespace {

constexpr std::uint8_t kBrown = 0;
constexpr std::uint8_t kWhite = 1;
constexpr std::uint8_t kBlack = 2;

constexpr Rgb kBrownRgb = {128, 64, 0};
constexpr Rgb kWhiteRgb = {255, 255, 255};
constexpr Rgb kBlackRgb = {0, 0, 0};

// The colour of the design at the point (u, v), in units.
Rgb designColourAt(double u, double v) {
  switch (assets::iconPartAtUnits(u, v)) {
    case assets::IconPart::Ground:
      return kBrownRgb;
    case assets::IconPart::Die:
      return kWhiteRgb;
    case assets::IconPart::Pip:
      break;
  }
  return kBlackRgb;
}

std::string svgNumber(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

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

namespace {

// The design drawn `inset` pixels in from each edge of a brown square of `size` pixels.
RgbImage drawDesign(int size, double inset) {
  if (size < 1 || size > 1024) throw std::invalid_argument("icon sizes run from 1 to 1024");
  // Each pixel is the average of a grid of samples, which smooths the edges without blurring.
  constexpr int kSamples = 8;
  RgbImage image(size, size);
  const double unitsPerPixel = assets::kIconUnits / (size - 2 * inset);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int r = 0;
      int g = 0;
      int b = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double u = (x + (sx + 0.5) / kSamples - inset) * unitsPerPixel;
          const double v = (y + (sy + 0.5) / kSamples - inset) * unitsPerPixel;
          const bool inside = u >= 0 && v >= 0 && u < assets::kIconUnits && v < assets::kIconUnits;
          const Rgb colour = inside ? designColourAt(u, v) : kBrownRgb;
          r += colour.r;
          g += colour.g;
          b += colour.b;
        }
      }
      constexpr int kCount = kSamples * kSamples;
      image.at(x, y) = {static_cast<std::uint8_t>((r + kCount / 2) / kCount),
                        static_cast<std::uint8_t>((g + kCount / 2) / kCount),
                        static_cast<std::uint8_t>((b + kCount / 2) / kCount)};
    }
  }
  return image;
}

}  // namespace

RgbImage drawIconAt(int size) {
  return drawDesign(size, 0);
}

RgbImage drawMaskableIconAt(int size) {
  // The die's farthest point from the middle is a rounded corner: that distance, in units, must
  // fit inside the safe circle's radius of 40 % of the side, with a little to spare for the
  // smoothed edge.
  const double half = (assets::kIconDieMax - assets::kIconDieMin) / 2;
  const double reach =
      (half - assets::kIconCornerRadius) * std::sqrt(2.0) + assets::kIconCornerRadius;
  const double designShare = 0.38 * assets::kIconUnits / reach;
  return drawDesign(size, size * (1 - designShare) / 2);
}

std::string iconSvg() {
  const std::string units = svgNumber(assets::kIconUnits);
  const std::string face = svgNumber(assets::kIconDieMax - assets::kIconDieMin);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 " +
         units + " " + units + "\">\n";
  svg += "  <rect width=\"" + units + "\" height=\"" + units + "\" fill=\"#804000\"/>\n";
  svg += "  <rect x=\"" + svgNumber(assets::kIconDieMin) + "\" y=\"" +
         svgNumber(assets::kIconDieMin) + "\" width=\"" + face + "\" height=\"" + face +
         "\" rx=\"" + svgNumber(assets::kIconCornerRadius) + "\" fill=\"#ffffff\"/>\n";
  for (double cu : assets::kIconPipColumns) {
    for (double cv : assets::kIconPipRows) {
      svg += "  <circle cx=\"" + svgNumber(cu) + "\" cy=\"" + svgNumber(cv) + "\" r=\"" +
             svgNumber(assets::kIconPipRadius) + "\" fill=\"#000000\"/>\n";
    }
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace assetgen
