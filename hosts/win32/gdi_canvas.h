#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "hosts/win32/gdi_handles.h"
#include "toolkit/canvas.h"

namespace win32 {

static_assert(toolkit::Canvas::kApiVersion == 1, "the GDI canvas implements version 1 only");

// The fonts and converted pictures the canvas needs on every paint. The window owns one for its
// whole life, so that a repaint creates no GDI objects after the first one.
class GdiResources {
 public:
  // Called by the canvas: the font for that face, size and weight, created on first use.
  HFONT font(const toolkit::Font& font);
  // Called by the canvas: the picture's pixels in the layout SetDIBitsToDevice takes, converted
  // on first use. Pictures are shared and never change, so their address identifies them.
  const std::vector<std::uint8_t>& dibRows(const toolkit::Image& image);
  // Called by the window when its scale changes, before the old scale's pictures are freed.
  void forgetPictures() { pictures_.clear(); }

 private:
  std::map<std::tuple<std::string, float, bool>, GdiObject<HFONT>> fonts_;
  std::map<const toolkit::Image*, std::vector<std::uint8_t>> pictures_;
};

// Draws into one device context for the duration of one paint. The painter calls it; it changes
// only the pixels, the clip region and the selected objects of that context, and puts the
// context's original clip back when destroyed.
class GdiCanvas : public toolkit::Canvas {
 public:
  GdiCanvas(HDC dc, GdiResources& resources);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void pushClip(const toolkit::PixelRect& r) override;
  void popClip() override;
  void fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) override;
  void drawText(const toolkit::PixelRect& box, std::string_view utf8, const toolkit::Font& font,
                toolkit::Rgb colour, toolkit::HAlign align) override;
  int textWidth(std::string_view utf8, const toolkit::Font& font) override;
  void drawImage(int x, int y, const toolkit::Image& image) override;
  void drawFocusRect(const toolkit::PixelRect& r) override;

 private:
  HDC dc_;
  GdiResources& resources_;
  int savedState_;
  int depth_ = 0;
};

}  // namespace win32
