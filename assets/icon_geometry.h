#pragma once

#include <array>

#include "toolkit/image.h"

namespace assets {

// The side of the program icon, in pixels, at 96 dots per inch.
inline constexpr int kIconSide = 32;

// The icon's one design: a white die with rounded corners showing six on a brown ground, as
// shapes on a square of 32 units measured from its top left edge. Every drawing of the icon
// (the embedded 32-pixel one, the window's at other densities, the desktop menus' pictures and
// their scalable form) is made from these numbers.
inline constexpr double kIconUnits = 32.0;
inline constexpr double kIconDieMin = 1.5;
inline constexpr double kIconDieMax = 30.5;
inline constexpr double kIconCornerRadius = 5.0;
inline constexpr double kIconPipRadius = 3.0;
inline constexpr std::array<double, 2> kIconPipColumns = {9.0, 23.0};
inline constexpr std::array<double, 3> kIconPipRows = {8.0, 16.0, 24.0};

// What the icon shows at a point: the brown ground, the white die or one of its black pips.
enum class IconPart { Ground, Die, Pip };

// Called by every drawing of the icon: the part of the design at the point (u, v), in units from
// the square's top left edge. Changes nothing.
IconPart iconPartAtUnits(double u, double v);

// The part of the icon at (x, y), in the 32-pixel icon's pixel-centre coordinates (pixel (x, y)
// is the unit square around the point). The asset generator draws the embedded icon from it.
// Changes nothing.
IconPart iconPartAt(double x, double y);

// Called by the front ends when the window is drawn `scale` times its layout size: the icon drawn
// from its geometry at that size, in the brown, white and black of the embedded one.
toolkit::Image drawIconAt(double scale);

}  // namespace assets
