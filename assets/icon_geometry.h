#pragma once

#include "toolkit/image.h"

namespace assets {

// The side of the program icon, in pixels, at 96 dots per inch.
inline constexpr int kIconSide = 32;

// What the icon shows at a point: the brown ground, the white die or one of its black pips.
enum class IconPart { Ground, Die, Pip };

// The part of the icon at (x, y), in the 32-pixel icon's pixel-centre coordinates (pixel (x, y)
// is the unit square around the point). The asset generator draws the embedded icon from it
// and the front ends draw the icon again at other sizes. Changes nothing.
IconPart iconPartAt(double x, double y);

// Called by the front ends when the window is drawn `scale` times its layout size: the icon drawn
// from its geometry at that size, in the brown, white and black of the embedded one.
toolkit::Image drawIconAt(double scale);

}  // namespace assets
