#include "pip_layout.h"

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace asset_tests {
namespace {

struct Centre {
  int x;
  int y;
};

const std::vector<Centre>& centres(int pips) {
  static const std::array<std::vector<Centre>, 6> kLayouts = {{
      {{19, 19}},
      {{9, 9}, {28, 27}},
      {{8, 8}, {19, 19}, {30, 29}},
      {{7, 7}, {31, 7}, {7, 31}, {31, 31}},
      {{7, 7}, {31, 7}, {7, 31}, {31, 31}, {19, 19}},
      {{7, 7}, {7, 19}, {7, 31}, {31, 7}, {31, 19}, {31, 31}},
  }};
  if (pips < 1 || pips > 6) throw std::invalid_argument("pips must be 1..6");
  return kLayouts[pips - 1];
}

// Half the width of the disc's row at vertical offset dy from the centre (-1 outside it).
int halfWidthAt(int dy) {
  switch (std::abs(dy)) {
    case 0:
    case 1:
      return 4;  // width 9
    case 2:
    case 3:
      return 3;  // width 7
    case 4:
      return 1;  // width 3
    default:
      return -1;
  }
}

}  // namespace

bool pipCoversPixel(int pips, int x, int y) {
  for (const Centre& c : centres(pips)) {
    if (std::abs(x - c.x) <= halfWidthAt(y - c.y)) return true;
  }
  return false;
}

}  // namespace asset_tests
