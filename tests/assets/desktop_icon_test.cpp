// The desktop menus' icons: a PNG at each hicolor size and an SVG, all of the window icon's
// design; and the web page's icons for installing it, compressed, with one for launchers that
// cut icons into shapes.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "asset_file.h"
#include "decode.h"

// A private copy of stb_image for PNG only: the library the game links decodes BMP and GIF.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

namespace asset_tests {
namespace {

using Colour = std::array<std::uint8_t, 3>;
constexpr Colour kWhite = {255, 255, 255};
constexpr Colour kBlack = {0, 0, 0};
constexpr Colour kBrown = {128, 64, 0};
struct IconFile {
  std::string name;
  int size;
};
const std::array<IconFile, 9> kIcons = {{{"icon-16.png", 16},
                                         {"icon-24.png", 24},
                                         {"icon-32.png", 32},
                                         {"icon-48.png", 48},
                                         {"icon-64.png", 64},
                                         {"icon-128.png", 128},
                                         {"icon-256.png", 256},
                                         {"web/icon-192.png", 192},
                                         {"web/icon-512.png", 512}}};

std::uint32_t be32(std::span<const std::uint8_t> data, std::size_t at) {
  if (at + 4 > data.size()) throw std::out_of_range("field lies past the end of the file");
  return static_cast<std::uint32_t>(data[at]) << 24 |
         static_cast<std::uint32_t>(data[at + 1]) << 16 |
         static_cast<std::uint32_t>(data[at + 2]) << 8 | data[at + 3];
}

std::uint32_t crc32(std::span<const std::uint8_t> data) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::uint8_t b : data) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  Colour at(int x, int y) const {
    const std::size_t i = 3 * (static_cast<std::size_t>(y) * width + x);
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

Picture decodePng(const std::vector<std::uint8_t>& file) {
  Picture picture;
  int channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &picture.width,
                            &picture.height, &channels, 3),
      stbi_image_free);
  if (!pixels) throw std::runtime_error(stbi_failure_reason());
  picture.rgb.assign(pixels.get(), pixels.get() + 3 * picture.width * picture.height);
  return picture;
}

TEST(DesktopIcons, EachIsAWellFormedPngOfItsSize) {
  std::vector<IconFile> files(kIcons.begin(), kIcons.end());
  files.push_back({"web/icon-maskable-512.png", 512});
  for (const auto& [name, size] : files) {
    SCOPED_TRACE(name);
    const auto file = readAssetFile(name);
    const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_TRUE(std::equal(signature.begin(), signature.end(), file.begin()));
    // Walk the chunks: IHDR first, IEND last, and every CRC right.
    std::vector<std::string> types;
    std::size_t at = 8;
    while (at < file.size()) {
      const std::uint32_t length = be32(file, at);
      ASSERT_LE(at + 12 + length, file.size());
      types.push_back(fourCc(file, at + 4));
      EXPECT_EQ(be32(file, at + 8 + length), crc32(std::span(file).subspan(at + 4, 4 + length)))
          << types.back();
      at += 12 + length;
    }
    ASSERT_GE(types.size(), 3u);
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    EXPECT_EQ(be32(file, 16), static_cast<std::uint32_t>(size));
    EXPECT_EQ(be32(file, 20), static_cast<std::uint32_t>(size));

    const Picture picture = decodePng(file);
    EXPECT_EQ(picture.width, size);
    EXPECT_EQ(picture.height, size);
  }
}

// Each size is drawn from the design's geometry: brown corners, a white face, and black pips at
// the two columns and three rows wherever the size puts them.
TEST(DesktopIcons, ShowTheWindowIconsDesignAtEverySize) {
  for (const auto& [name, size] : kIcons) {
    SCOPED_TRACE(name);
    const Picture picture = decodePng(readAssetFile(name));
    ASSERT_EQ(picture.width, size);
    const auto pixel = [&](double u, double v) {
      return picture.at(static_cast<int>(u * size / 32), static_cast<int>(v * size / 32));
    };
    for (auto [u, v] : {std::pair{0.0, 0.0}, {31.9, 0.0}, {0.0, 31.9}, {31.9, 31.9}}) {
      EXPECT_EQ(pixel(u, v), kBrown) << u << "," << v;
    }
    for (auto [u, v] : {std::pair{16.0, 12.0}, {16.0, 20.0}, {16.0, 3.0}, {3.0, 16.0}}) {
      EXPECT_EQ(pixel(u, v), kWhite) << u << "," << v;
    }
    for (double u : {9.0, 23.0}) {
      for (double v : {8.0, 16.0, 24.0}) EXPECT_EQ(pixel(u, v), kBlack) << u << "," << v;
    }
    // Smoothing only mixes the three colours, so every pixel keeps their order of red over
    // green over blue: no other hue appears.
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const Colour c = picture.at(x, y);
        ASSERT_TRUE(c[0] >= c[1] && c[1] >= c[2]) << x << "," << y;
      }
    }
  }
}

// Downloaded icons are compressed: flat colours take a small part of their pixels' bytes.
TEST(DesktopIcons, TheWebIconsAreCompressed) {
  for (const char* name : {"web/icon-192.png", "web/icon-512.png", "web/icon-maskable-512.png"}) {
    SCOPED_TRACE(name);
    const auto file = readAssetFile(name);
    const Picture picture = decodePng(file);
    EXPECT_LT(file.size() * 20, picture.rgb.size());
  }
}

// Launchers keep at least the central circle of 80 % of the side: the whole die lies inside it,
// with brown all around, and it is the same design (six pips, two columns of three).
TEST(DesktopIcons, TheMaskableIconKeepsTheDieInsideTheSafeCircle) {
  const Picture picture = decodePng(readAssetFile("web/icon-maskable-512.png"));
  ASSERT_EQ(picture.width, 512);
  ASSERT_EQ(picture.height, 512);
  const double radius = 0.4 * 512;
  int white = 0;
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 512; ++x) {
      const Colour c = picture.at(x, y);
      const double dx = x + 0.5 - 256;
      const double dy = y + 0.5 - 256;
      if (dx * dx + dy * dy > radius * radius) {
        ASSERT_EQ(c, kBrown) << x << "," << y;
      } else if (c == kWhite) {
        ++white;
      }
    }
  }
  EXPECT_GT(white, 512 * 512 / 5) << "the die fills much of the circle";
  // Pips stand where the design puts them, scaled into the middle of the square.
  int pipColumns = 0;
  for (int x = 0; x < 512; ++x) {
    const bool dark = picture.at(x, 256) == kBlack;
    const bool darkBefore = x > 0 && picture.at(x - 1, 256) == kBlack;
    if (dark && !darkBefore) ++pipColumns;
  }
  EXPECT_EQ(pipColumns, 2);
  EXPECT_EQ(picture.at(256, 256), kWhite);
}

// At 32 pixels the smoothed icon and the window's icon agree wherever the smoothed one is a
// flat colour, so they are one drawing.
TEST(DesktopIcons, AgreeWithTheWindowIconAt32Pixels) {
  const Picture png = decodePng(readAssetFile("icon-32.png"));
  const toolkit::Image ico = assets::decodePicture(assets::AssetId::Icon);
  ASSERT_EQ(ico.width, 32);
  int flat = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Colour c = png.at(x, y);
      if (c != kWhite && c != kBlack && c != kBrown) continue;
      ++flat;
      const std::uint8_t* p = ico.pixel(x, y);
      EXPECT_EQ(c, (Colour{p[0], p[1], p[2]})) << x << "," << y;
    }
  }
  EXPECT_GT(flat, 32 * 32 * 3 / 4) << "most pixels are flat colours";
}

TEST(DesktopIcons, TheSvgDrawsTheSameFaceAndSixPips) {
  const auto file = readAssetFile("icon.svg");
  const std::string svg(file.begin(), file.end());
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
  EXPECT_NE(svg.find("viewBox=\"0 0 32 32\""), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#804000\""), std::string::npos) << "the brown ground";
  EXPECT_NE(svg.find("rx="), std::string::npos) << "the face's rounded corners";
  // Each pip is one circle of radius 3; collect where they stand.
  const auto attribute = [&](std::size_t from, std::string_view name) {
    const std::size_t at = svg.find(std::string(" ") + std::string(name) + "=\"", from);
    if (at == std::string::npos) return std::string();
    const std::size_t begin = at + name.size() + 3;
    return svg.substr(begin, svg.find('"', begin) - begin);
  };
  std::set<std::pair<std::string, std::string>> pips;
  for (std::size_t at = svg.find("<circle"); at != std::string::npos;
       at = svg.find("<circle", at + 1)) {
    EXPECT_EQ(attribute(at, "r"), "3");
    EXPECT_EQ(attribute(at, "fill"), "#000000");
    pips.insert({attribute(at, "cx"), attribute(at, "cy")});
  }
  const std::set<std::pair<std::string, std::string>> expected = {
      {"9", "8"}, {"9", "16"}, {"9", "24"}, {"23", "8"}, {"23", "16"}, {"23", "24"}};
  EXPECT_EQ(pips, expected);
}

}  // namespace
}  // namespace asset_tests
