#pragma once

#include "stroke_font.h"
#include "toolkit/image.h"

namespace assets {

// The tray picture's size in pixels at 96 dots per inch.
// The words the tray's picture shows the player across its top.
inline constexpr const char* kTrayCaption = "Click Die to Save or Roll";
inline constexpr int kTrayWidth = 371;
inline constexpr int kTrayHeight = 283;

// The tray picture as geometry: a light green caption band over a dark green felt, with the
// caption in dark green. The asset generator samples it at pixel centres for the embedded GIF;
// the front ends sample it more densely to draw the tray larger.
class TrayGeometry {
 public:
  // Made by the generator and by drawTrayAt, once per drawing of the tray: lays out the caption.
  TrayGeometry();
  // Called for every sampled point: whether the point, in the 96-dpi picture's pixel-edge
  // coordinates, is light green (the band without the caption's ink) rather than dark green.
  // Changes nothing.
  bool lightAt(double x, double y) const;

 private:
  StrokeText caption_;  // set by the constructor, never changed after
  int captionLeft_;     // the caption's first column of ink; set by the constructor
};

// Called by the front ends when the window is drawn `scale` times its layout size: the tray drawn
// from its geometry at that size, in the two greens of the embedded picture.
toolkit::Image drawTrayAt(double scale);

}  // namespace assets
