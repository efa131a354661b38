#include "hosts/fltk/fltk_canvas.h"

#include <fontconfig/fontconfig.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <algorithm>
#include <memory>

namespace fltkhost {

namespace {

// FLTK's font numbers for the four faces; FL_FREE_FONT is the first one FLTK leaves free.
constexpr Fl_Font kSans = FL_FREE_FONT;
constexpr Fl_Font kSansBold = FL_FREE_FONT + 1;
constexpr Fl_Font kNarrow = FL_FREE_FONT + 2;
constexpr Fl_Font kNarrowBold = FL_FREE_FONT + 3;

// True when fontconfig knows a font of exactly this family. Asking fontconfig to match the name
// would not do: it always answers with some font, and the fallback must be ours to choose.
bool familyInstalled(const char* family) {
  struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
  };
  struct ObjectSetDeleter {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
  };
  struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
  };
  std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
  if (!pattern || !objects) return false;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
      FcFontList(nullptr, pattern.get(), objects.get()));
  return fonts && fonts->nfont > 0;
}

}  // namespace

Fonts::Fonts() {
  // A leading space asks FLTK's Xft layer for the regular weight, a leading B for bold.
  Fl::set_font(kSans, " Liberation Sans");
  Fl::set_font(kSansBold, "BLiberation Sans");
  Fl::set_font(kNarrow, " Liberation Sans Narrow");
  Fl::set_font(kNarrowBold, "BLiberation Sans Narrow");
}

windowcore::FaceChoice Fonts::choose(const toolkit::Font& font) const {
  using windowcore::Family;
  windowcore::FaceChoice choice = windowcore::chooseFace(font);
  if (choice.family == Family::SansNarrow && !narrowInstalled_) {
    narrowInstalled_ = familyInstalled("Liberation Sans Narrow");
  }
  if (choice.family == Family::Named ||
      (choice.family == Family::SansNarrow && !*narrowInstalled_)) {
    choice.family = Family::Sans;
  }
  return choice;
}

Fl_Font Fonts::flFont(const windowcore::FaceChoice& choice) const {
  if (choice.family == windowcore::Family::SansNarrow) return choice.bold ? kNarrowBold : kNarrow;
  return choice.bold ? kSansBold : kSans;
}

void FltkCanvas::pushClip(const toolkit::PixelRect& r) {
  fl_push_clip(r.x, r.y, r.w, r.h);  // FLTK intersects it with the clip in force
}

void FltkCanvas::popClip() {
  fl_pop_clip();
}

void FltkCanvas::fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) {
  fl_rectf(r.x, r.y, r.w, r.h, colour.r, colour.g, colour.b);
}

void FltkCanvas::selectFont(const toolkit::Font& font) {
  const windowcore::FaceChoice choice = fonts_.choose(font);
  fl_font(fonts_.flFont(choice), choice.pixels);
}

void FltkCanvas::drawText(const toolkit::PixelRect& box, std::string_view utf8,
                          const toolkit::Font& font, toolkit::Rgb colour, toolkit::HAlign align) {
  if (utf8.empty()) return;
  selectFont(font);
  const TextLine line = fonts_.text().layout(utf8, fl_font(), fl_size());
  const int width = static_cast<int>(line.width() + 0.5);
  int x = box.x;
  if (align == toolkit::HAlign::Center) x += (box.w - width) / 2;
  if (align == toolkit::HAlign::Right) x += box.w - width;
  const int baseline = box.y + (box.h - fl_height()) / 2 + fl_height() - fl_descent();
  fl_color(colour.r, colour.g, colour.b);
  // Text never spills out of its control, as a caption longer than its box would otherwise.
  fl_push_clip(box.x, box.y, box.w, box.h);
  line.draw(x, baseline);
  fl_pop_clip();
}

int FltkCanvas::textWidth(std::string_view utf8, const toolkit::Font& font) {
  if (utf8.empty()) return 0;
  selectFont(font);
  return static_cast<int>(fonts_.text().layout(utf8, fl_font(), fl_size()).width() + 0.5);
}

FltkCanvas::~FltkCanvas() {
  forgetPictures();
}

void FltkCanvas::forgetPictures() {
  for (const auto& [image, pixmap] : uploaded_) fl_delete_offscreen(pixmap);
  uploaded_.clear();
}

void FltkCanvas::drawImage(int x, int y, const toolkit::Image& image) {
  if (image.width <= 0 || image.height <= 0) return;
  auto it = uploaded_.find(&image);
  if (it == uploaded_.end()) {
    // Converted for the display once and kept on the X server: every later drawing is a copy
    // there, which matters when the window repaints every few milliseconds during a pause.
    const Fl_Offscreen pixmap = fl_create_offscreen(image.width, image.height);
    fl_begin_offscreen(pixmap);
    // FLTK converts an image in a buffer as large as the part drawn at once, and keeps that
    // buffer for the rest of the run; a band of rows at a time keeps it small.
    constexpr int kBandRows = 16;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    for (int top = 0; top < image.height; top += kBandRows) {
      fl_draw_image(image.rgb.data() + static_cast<std::size_t>(top) * rowBytes, 0, top,
                    image.width, std::min(kBandRows, image.height - top), 3, 0);
    }
    fl_end_offscreen();
    it = uploaded_.emplace(&image, pixmap).first;
  }
  // A copy between drawables reports each part it could not copy as an event, or that there was
  // none; nothing here needs those reports, and during the game's pauses, when events wait
  // unread, thousands of them would pile up in Xlib's queue.
  XSetGraphicsExposures(fl_display, fl_gc, False);
  fl_copy_offscreen(x, y, image.width, image.height, it->second, 0, 0);
}

void FltkCanvas::drawFocusRect(const toolkit::PixelRect& r) {
  if (r.empty()) return;
  fl_color(FL_BLACK);
  // Every other pixel along the edges, so the mark reads as dotted at any size.
  for (int x = r.x; x < r.x + r.w; x += 2) {
    fl_point(x, r.y);
    fl_point(x, r.y + r.h - 1);
  }
  for (int y = r.y; y < r.y + r.h; y += 2) {
    fl_point(r.x, y);
    fl_point(r.x + r.w - 1, y);
  }
}

}  // namespace fltkhost
