#pragma once

#include <FL/Enumerations.H>
#include <optional>
#include <unordered_map>

#include "hosts/core/font_face.h"
#include "hosts/fltk/text_renderer.h"
#include "toolkit/canvas.h"

namespace fltkhost {

static_assert(toolkit::Canvas::kApiVersion == 1, "the FLTK canvas implements version 1");

// The fonts the window and its dialogs draw with, registered with FLTK once by main before
// anything is drawn. Remembers whether the narrow family is installed, which decides the
// fallback.
class Fonts {
 public:
  // Called once by main: registers the four faces in FLTK's font table. Fontconfig is not asked
  // anything yet, so that the first prompt can appear before its configuration is read.
  Fonts();
  // Called by the canvas: the FLTK font number of a chosen family and weight.
  Fl_Font flFont(const windowcore::FaceChoice& choice) const;
  // Called by the canvas for every text: the layout's font as this machine can draw it, the
  // plain family standing in for named faces and for the narrow one when it is missing. The
  // first call asks fontconfig whether the narrow family exists and remembers the answer.
  windowcore::FaceChoice choose(const toolkit::Font& font) const;
  // The pixel size of the dialogs' texts and of the tool tips.
  static constexpr int kDialogPixels = 13;
  // Called by the dialogs and the tool tips: the plain face of their texts.
  Fl_Font dialogFont() const { return flFont({windowcore::Family::Sans, false, kDialogPixels}); }
  // Called by the canvas and the dialogs to lay out every text they draw or measure, so that
  // characters the layout's font lacks show in another installed font.
  TextRenderer& text() const { return text_; }

 private:
  // Owned here: grows as texts bring characters that need other fonts.
  mutable TextRenderer text_;
  // Owned by choose(): empty until the game window first draws text.
  mutable std::optional<bool> narrowInstalled_;
};

// The drawing calls of the painter, made with FLTK's drawing functions. Valid only inside a
// window's draw(), where FLTK has made that window the drawing target.
class FltkCanvas : public toolkit::Canvas {
 public:
  // Made once by the window; the fonts must outlive it.
  explicit FltkCanvas(const Fonts& fonts) : fonts_(fonts) {}
  ~FltkCanvas() override;
  FltkCanvas(const FltkCanvas&) = delete;
  FltkCanvas& operator=(const FltkCanvas&) = delete;

  void pushClip(const toolkit::PixelRect& r) override;
  void popClip() override;
  void fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) override;
  void drawText(const toolkit::PixelRect& box, std::string_view utf8, const toolkit::Font& font,
                toolkit::Rgb colour, toolkit::HAlign align) override;
  int textWidth(std::string_view utf8, const toolkit::Font& font) override;
  void drawImage(int x, int y, const toolkit::Image& image) override;
  void drawFocusRect(const toolkit::PixelRect& r) override;
  // Called by the window when its scale changes: frees the uploaded copies of the old pictures.
  void forgetPictures();

 private:
  void selectFont(const toolkit::Font& font);
  const Fonts& fonts_;
  // Owned by drawImage: every picture drawn so far, as a pixmap on the X server (FLTK's
  // Fl_Offscreen). Keyed by address, which is sound because pictures never change, and the
  // window forgets them all before the ones of an old scale go away.
  std::unordered_map<const toolkit::Image*, unsigned long> uploaded_;
};

}  // namespace fltkhost
