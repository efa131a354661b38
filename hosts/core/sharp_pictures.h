#pragma once

#include "toolkit/image.h"

namespace windowcore {

// Called by a window's picture cache (both front ends) when the window is drawn at a scale other
// than one: the die faces, the dice's designs, the icon and the tray are drawn again from their
// geometry at that size, so that they keep round pips and hard edges; any other picture is
// scaled by nearest neighbour, which keeps its edges hard and adds no colour. Changes nothing.
toolkit::Image sharpPicture(const toolkit::Image& picture, double scale);

}  // namespace windowcore
