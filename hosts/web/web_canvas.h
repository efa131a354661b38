#pragma once

#include "toolkit/canvas.h"

namespace webhost {

static_assert(toolkit::Canvas::kApiVersion == 1, "the page canvas implements version 1");

// The painter's drawing calls, passed to the page's HTML canvas. The page keeps the clip stack,
// the converted pictures and the screen scale; this side only names fonts and colours.
class WebCanvas : public toolkit::Canvas {
 public:
  void pushClip(const toolkit::PixelRect& r) override;
  void popClip() override;
  void fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) override;
  void drawText(const toolkit::PixelRect& box, std::string_view utf8, const toolkit::Font& font,
                toolkit::Rgb colour, toolkit::HAlign align) override;
  int textWidth(std::string_view utf8, const toolkit::Font& font) override;
  void drawImage(int x, int y, const toolkit::Image& image) override;
  void drawFocusRect(const toolkit::PixelRect& r) override;
};

}  // namespace webhost
