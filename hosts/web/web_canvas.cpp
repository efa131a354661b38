#include "hosts/web/web_canvas.h"

#include "hosts/web/font_css.h"
#include "hosts/web/page_bridge.h"

namespace webhost {

namespace {

int packed(toolkit::Rgb c) {
  return (c.r << 16) | (c.g << 8) | c.b;
}

int bytes(std::string_view s) {
  return static_cast<int>(s.size());
}

}  // namespace

void WebCanvas::pushClip(const toolkit::PixelRect& r) {
  qz_clip_push(r.x, r.y, r.w, r.h);
}

void WebCanvas::popClip() {
  qz_clip_pop();
}

void WebCanvas::fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) {
  if (r.empty()) return;
  qz_fill(r.x, r.y, r.w, r.h, packed(colour));
}

void WebCanvas::drawText(const toolkit::PixelRect& box, std::string_view utf8,
                         const toolkit::Font& font, toolkit::Rgb colour, toolkit::HAlign align) {
  if (utf8.empty() || box.empty()) return;
  const CssFont css = cssFont(font);
  qz_text(box.x, box.y, box.w, box.h, utf8.data(), bytes(utf8), css.families.data(),
          bytes(css.families), css.pixels, css.bold ? 1 : 0, packed(colour),
          static_cast<int>(align));
}

int WebCanvas::textWidth(std::string_view utf8, const toolkit::Font& font) {
  if (utf8.empty()) return 0;
  const CssFont css = cssFont(font);
  return qz_text_width(utf8.data(), bytes(utf8), css.families.data(), bytes(css.families),
                       css.pixels, css.bold ? 1 : 0);
}

void WebCanvas::drawImage(int x, int y, const toolkit::Image& image) {
  if (image.width <= 0 || image.height <= 0) return;
  // The pictures are decoded once and never change or move while the page runs, so the page
  // may keep its converted copy under the pixels' address.
  qz_image(x, y, image.width, image.height, image.rgb.data());
}

void WebCanvas::drawFocusRect(const toolkit::PixelRect& r) {
  if (r.empty()) return;
  qz_focus_rect(r.x, r.y, r.w, r.h);
}

}  // namespace webhost
