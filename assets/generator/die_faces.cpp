#include "die_faces.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace assetgen {
namespace {

struct Point {
  int x;
  int y;
};

// Row widths of a pip, top to bottom. Drawn by hand rather than from a circle equation so the
// nine-pixel disc looks round at this size and is the same on every machine.
constexpr std::array<int, 9> kPipRowWidths = {3, 7, 7, 9, 9, 9, 7, 7, 3};

// Faces 2 and 3 sit a pixel off the exact diagonal, as the artwork was drawn; the asset tests
// pin every centre, so change both together.
std::vector<Point> pipCentres(int pips) {
  const std::vector<Point> corners = {{7, 7}, {31, 7}, {7, 31}, {31, 31}};
  switch (pips) {
    case 1:
      return {{19, 19}};
    case 2:
      return {{9, 9}, {28, 27}};
    case 3:
      return {{8, 8}, {19, 19}, {30, 29}};
    case 4:
      return corners;
    case 5: {
      auto five = corners;
      five.push_back({19, 19});
      return five;
    }
    case 6:
      return {{7, 7}, {7, 19}, {7, 31}, {31, 7}, {31, 19}, {31, 31}};
    default:
      throw std::invalid_argument("a die face has 1 to 6 pips");
  }
}

void drawPip(IndexedImage& image, Point centre) {
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
  for (const Point& centre : pipCentres(pips)) drawPip(face, centre);
  return face;
}

Palette facePalette() {
  return {Rgb{0, 0, 0}, Rgb{255, 255, 255}};
}

}  // namespace assetgen
