// Draws and synthesises every picture and sound the game ships, and writes them into the
// folder named on the command line. The output is the same byte for byte on every run, so the
// committed files only change when this code does.

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bmp_encoder.h"
#include "dice_rattle.h"
#include "die_faces.h"
#include "gif_encoder.h"
#include "ico_encoder.h"
#include "icon_picture.h"
#include "png_encoder.h"
#include "tray_picture.h"
#include "wav_encoder.h"

namespace {

constexpr int kDesktopIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int kWebIconSizes[] = {192, 512};

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void generateAll(const std::filesystem::path& folder) {
  using namespace assetgen;
  for (int pips = 1; pips <= 6; ++pips) {
    writeFile(folder / ("face" + std::to_string(pips) + ".bmp"),
              encodeBmp1Bit(drawDieFace(pips), facePalette()));
  }
  // The designs are the same drawings as faces one to five, stored as 24-bit bitmaps.
  for (int pips = 1; pips <= 5; ++pips) {
    writeFile(folder / ("design" + std::to_string(pips) + ".bmp"),
              encodeBmp24Bit(drawDieFace(pips), facePalette()));
  }
  writeFile(folder / "tray.gif", encodeGif(drawTray(), trayPalette()));
  writeFile(folder / "icon.ico", encodeIco8Bit(drawIcon(), iconPalette()));
  // The desktop menus' icons: the same design drawn at each size the hicolor theme asks for.
  for (int size : kDesktopIconSizes) {
    writeFile(folder / ("icon-" + std::to_string(size) + ".png"), encodePngRgb(drawIconAt(size)));
  }
  // The web page's icons for installing it: compressed, as browsers download them.
  for (int size : kWebIconSizes) {
    writeFile(folder / "web" / ("icon-" + std::to_string(size) + ".png"),
              encodePngRgbPacked(drawIconAt(size)));
  }
  writeFile(folder / "web" / "icon-maskable-512.png", encodePngRgbPacked(drawMaskableIconAt(512)));
  const std::string svg = iconSvg();
  writeFile(folder / "icon.svg", std::vector<std::uint8_t>(svg.begin(), svg.end()));
  writeFile(folder / "roll.wav", encodeWav8BitMono(synthesiseDiceRattle(), kRattleSampleRate));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << (argc > 0 ? argv[0] : "quintoz-asset-generator")
              << " <assets folder>\n";
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    if (!std::filesystem::is_directory(folder)) {
      throw std::runtime_error(folder.string() + " is not a folder");
    }
    std::filesystem::create_directories(folder / "web");
    generateAll(folder);
  } catch (const std::exception& error) {
    std::cerr << "quintoz-asset-generator: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
