#pragma once

#include <vector>

#include "toolkit/image.h"

namespace assets {

// The side of a die face picture, in pixels, at 96 dots per inch.
inline constexpr int kFaceSide = 39;
// A pip's diameter at 96 dots per inch.
inline constexpr int kPipDiameter = 9;

struct PipCentre {
  int x;
  int y;
};

// The centres of the pips of the face showing `pips` (1..6), as pixel columns and rows of the
// 39-pixel picture. The asset generator draws the embedded faces around them and the front ends
// redraw the faces from them at other sizes. Throws std::invalid_argument for other counts.
std::vector<PipCentre> pipCentres(int pips);

// Called by the front ends when the window is drawn larger or smaller than its layout: the face
// showing `pips` drawn from its geometry `scale` times its natural size, as black round pips on a
// white square with nothing but pure black and pure white pixels. Every pip is the same disc,
// symmetric across both axes and both diagonals.
toolkit::Image drawFaceAt(int pips, double scale);

}  // namespace assets
