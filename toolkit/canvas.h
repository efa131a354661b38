#pragma once

#include <string_view>

#include "toolkit/image.h"
#include "toolkit/style.h"

namespace toolkit {

// The drawing API every front end implements once, in window pixels. The painter composes all
// controls from these few calls, so a new platform needs nothing else to show the window.
class Canvas {
 public:
  // Raised when a call is added or its meaning changes, so a front end written against an
  // older version fails to compile instead of drawing wrongly.
  static constexpr int kApiVersion = 1;

  virtual ~Canvas() = default;

  // Restricts drawing to the intersection of r with the current clip, until the matching pop.
  virtual void pushClip(const PixelRect& r) = 0;
  virtual void popClip() = 0;
  virtual void fillRect(const PixelRect& r, Rgb colour) = 0;
  // One line of UTF-8 text, vertically centred in box and aligned within it horizontally.
  // Carriage returns never reach here; the font face is the layout's name for it.
  virtual void drawText(const PixelRect& box, std::string_view utf8, const Font& font, Rgb colour,
                        HAlign align) = 0;
  // The width in pixels that drawText would give the text in this font.
  virtual int textWidth(std::string_view utf8, const Font& font) = 0;
  // The image at its natural size with its top left corner at (x, y).
  virtual void drawImage(int x, int y, const Image& image) = 0;
  // A dotted one-pixel rectangle marking the control that has the keyboard focus.
  virtual void drawFocusRect(const PixelRect& r) = 0;
};

}  // namespace toolkit
