#include "die_faces.h"

#include <array>

#include "face_geometry.h"

namespace assetgen {
namespace {

// Row widths of a pip, top to bottom. Drawn by hand rather than from a circle equation so the
// nine-pixel disc looks round at this size and is the same on every machine.
constexpr std::array<int, 9> kPipRowWidths = {3, 7, 7, 9, 9, 9, 7, 7, 3};

void drawPip(IndexedImage& image, assets::PipCentre centre) {
  const int half = static_cast<int>(kPipRowWidths.size()) / 2;
  for (int row = 0; row < static_cast<int>(kPipRowWidths.size()); ++row) {
    const int halfWidth = kPipRowWidths[row] / 2;
    for (int dx = -halfWidth; dx <= halfWidth; ++dx) {
      image.set(centre.x + dx, centre.y + row - half, kFaceBlack);
    }
  }
}

}  // namespace

IndexedImage drawDieFace(int pips) {
  IndexedImage face(kFaceSize, kFaceSize, kFaceWhite);
  for (const assets::PipCentre& centre : assets::pipCentres(pips)) drawPip(face, centre);
  return face;
}

Palette facePalette() {
  return {Rgb{0, 0, 0}, Rgb{255, 255, 255}};
}

}  // namespace assetgen
