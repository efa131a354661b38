#include "hosts/core/sharp_pictures.h"

#include "assets/face_geometry.h"
#include "assets/icon_geometry.h"
#include "assets/tray_geometry.h"
#include "toolkit/scaled_canvas.h"
#include "ui/pictures.h"

namespace windowcore {

toolkit::Image sharpPicture(const toolkit::Image& picture, double scale) {
  // The game's pictures are decoded once and shared, so their addresses tell them apart.
  const WindowPictures& pictures = windowPictures();
  for (int pips = 1; pips <= 6; ++pips) {
    if (pictures.faces[pips].image.get() == &picture) return assets::drawFaceAt(pips, scale);
  }
  for (int pips = 1; pips <= 5; ++pips) {
    if (pictures.designs[pips].image.get() == &picture) return assets::drawFaceAt(pips, scale);
  }
  if (pictures.icon.image.get() == &picture) return assets::drawIconAt(scale);
  if (pictures.tray.image.get() == &picture) return assets::drawTrayAt(scale);
  return toolkit::scaleNearest(picture, scale);
}

}  // namespace windowcore
