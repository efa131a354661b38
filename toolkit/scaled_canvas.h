#pragma once

#include <functional>
#include <map>
#include <utility>

#include "toolkit/canvas.h"

namespace toolkit {

// Called by the scaled canvas and the front ends: the device pixel at which a layout pixel edge
// lands when the window is drawn `scale` times its layout size. Edges rather than sizes are
// rounded, so that neighbouring controls still meet without gaps or overlaps at fractional
// scales. Changes nothing.
int scaledEdge(int layoutPixels, double scale);
// Called by the scaled canvas and the front ends (tool tip areas, window sizes): a layout
// rectangle in device pixels, its edges rounded as scaledEdge does. Changes nothing.
PixelRect scaledRect(const PixelRect& r, double scale);

// Called by a picture cache to make a picture `scale` times its natural size.
using PictureScaler = std::function<Image(const Image& picture, double scale)>;

// Called by the front ends' picture scalers for pictures without geometry: the picture `scale`
// times its natural size, each device pixel taking the colour of the picture's pixel under its
// centre, so that no colour appears that the picture does not have. Changes nothing.
Image scaleNearest(const Image& picture, double scale);

// The pictures a window has drawn at a scale other than one, made once each by the window's
// scaler and kept until the window's scale changes, so that a repaint makes no picture twice and
// the platform canvas may keep its own copies keyed by address. Owned by the window core.
class PictureCache {
 public:
  // Made once by a front end's window with the function that makes its scaled pictures.
  explicit PictureCache(PictureScaler scaler) : scaler_(std::move(scaler)) {}
  // Called by the scaled canvas: the picture at that scale, made on first use. The reference
  // stays valid as long as the cache lives.
  const Image& at(const Image& picture, double scale);
  // Called by the window core when its scale changes, after the platform canvas has dropped its
  // copies: frees every picture made so far.
  void clear() { made_.clear(); }

 private:
  PictureScaler scaler_;  // owned by the cache, given by the window
  // Every picture made since the last clear, owned by the cache; canvases keep their addresses.
  std::map<std::pair<const Image*, double>, Image> made_;
};

// A canvas that draws the window `scale` times its layout size on another canvas: positions,
// sizes and fonts are multiplied, and pictures come from the cache at that scale. The front
// ends put it between the painter and their platform canvas when the screen is denser than
// 96 dots per inch; at scale one they draw on the platform canvas directly.
class ScaledCanvas : public Canvas {
 public:
  // Made by a front end's window for one paint; the target and the cache must outlive it.
  ScaledCanvas(Canvas& target, double scale, PictureCache& pictures)
      : target_(target), scale_(scale), pictures_(pictures) {}

  void pushClip(const PixelRect& r) override;
  void popClip() override;
  void fillRect(const PixelRect& r, Rgb colour) override;
  void drawText(const PixelRect& box, std::string_view utf8, const Font& font, Rgb colour,
                HAlign align) override;
  // The target's width converted back to layout pixels, rounded up so that a box sized from
  // it never cuts the text off.
  int textWidth(std::string_view utf8, const Font& font) override;
  void drawImage(int x, int y, const Image& image) override;
  void drawFocusRect(const PixelRect& r) override;

 private:
  PixelRect toDevice(const PixelRect& r) const { return scaledRect(r, scale_); }
  Font scaledFont(const Font& font) const;

  Canvas& target_;          // the platform canvas, owned by the window
  double scale_;            // device pixels per layout pixel, fixed for the canvas's life
  PictureCache& pictures_;  // owned by the window
};

}  // namespace toolkit
