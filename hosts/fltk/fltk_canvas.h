#pragma once

#include <FL/Enumerations.H>

#include "hosts/fltk/font_choice.h"
#include "toolkit/canvas.h"

namespace fltkhost {

static_assert(toolkit::Canvas::kApiVersion == 1, "the FLTK canvas implements version 1");

// The fonts the window and its dialogs draw with, registered with FLTK once by main before
// anything is drawn. Holds whether the narrow family is installed, which decides the fallback.
class Fonts {
 public:
  // Called once by main: asks fontconfig whether the narrow family exists and registers the
  // four faces in FLTK's font table.
  Fonts();
  // Called by the canvas: the FLTK font number of a chosen family and weight.
  Fl_Font flFont(const FontChoice& choice) const;
  // Called by the canvas for every text: the layout's font as this machine can draw it.
  FontChoice choose(const toolkit::Font& font) const { return chooseFont(font, narrowInstalled_); }
  // Called by the dialogs: the plain face of their texts and buttons.
  Fl_Font dialogFont() const { return flFont({Family::Sans, false, 13}); }

 private:
  bool narrowInstalled_ = false;
};

// The drawing calls of the painter, made with FLTK's drawing functions. Valid only inside a
// window's draw(), where FLTK has made that window the drawing target.
class FltkCanvas : public toolkit::Canvas {
 public:
  // Made once by the window; the fonts must outlive it.
  explicit FltkCanvas(const Fonts& fonts) : fonts_(fonts) {}

  void pushClip(const toolkit::PixelRect& r) override;
  void popClip() override;
  void fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) override;
  void drawText(const toolkit::PixelRect& box, std::string_view utf8, const toolkit::Font& font,
                toolkit::Rgb colour, toolkit::HAlign align) override;
  int textWidth(std::string_view utf8, const toolkit::Font& font) override;
  void drawImage(int x, int y, const toolkit::Image& image) override;
  void drawFocusRect(const toolkit::PixelRect& r) override;

 private:
  void selectFont(const toolkit::Font& font);
  const Fonts& fonts_;
};

}  // namespace fltkhost
