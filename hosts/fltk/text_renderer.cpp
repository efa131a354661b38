#include "hosts/fltk/text_renderer.h"

#include <X11/Xft/Xft.h>
#include <pango/pangoxft.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>
#include <FL/x.H>
#include <algorithm>
#include <cmath>

namespace fltkhost {

namespace {

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

double pixels(int units) {
  return static_cast<double>(units) / PANGO_SCALE;
}

int units(double pixels) {
  return static_cast<int>(std::lround(pixels * PANGO_SCALE));
}

struct FreeDescription {
  void operator()(PangoFontDescription* description) const {
    pango_font_description_free(description);
  }
};

struct DestroyDraw {
  void operator()(XftDraw* draw) const { XftDrawDestroy(draw); }
};

// True when every run of the line is in the layout's own family and reads left to right: then
// FLTK draws the line just as well, and exactly as it always has.
bool primaryAlone(PangoLayout* layout, const std::string& family) {
  for (GSList* run = pango_layout_get_line_readonly(layout, 0)->runs; run != nullptr;
       run = run->next) {
    const PangoAnalysis& analysis = static_cast<PangoGlyphItem*>(run->data)->item->analysis;
    if (analysis.level % 2 != 0) return false;
    const std::unique_ptr<PangoFontDescription, FreeDescription> used(
        pango_font_describe(analysis.font));
    if (family != pango_font_description_get_family(used.get())) return false;
  }
  return true;
}

}  // namespace

void GObjectUnref::operator()(void* object) const {
  g_object_unref(object);
}

TextRenderer::TextRenderer() = default;

TextRenderer::~TextRenderer() = default;

TextLine TextRenderer::layout(std::string_view utf8, Fl_Font primary, int pixelSize) {
  fl_font(primary, pixelSize);
  const auto flWidth = [&] { return fl_width(utf8.data(), static_cast<int>(utf8.size())); };
  // Every font the window uses has the printable ASCII characters. FLTK shows what it can of
  // bytes that are not UTF-8.
  if (isAscii(utf8) || !g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) {
    return TextLine(utf8, flWidth(), nullptr);
  }
  if (!context_) {
    context_.reset(pango_font_map_create_context(pango_xft_get_font_map(fl_display, fl_screen)));
  }
  std::unique_ptr<PangoLayout, GObjectUnref> layout(pango_layout_new(context_.get()));
  // FLTK's Xft names start with a weight mark: a space for regular, B bold, I italic, P both.
  const std::string name = Fl::get_font(primary);
  const std::string family = name.empty() ? std::string() : name.substr(1);
  const std::unique_ptr<PangoFontDescription, FreeDescription> font(pango_font_description_new());
  pango_font_description_set_family(font.get(), family.c_str());
  const bool bold = !name.empty() && (name[0] == 'B' || name[0] == 'P');
  pango_font_description_set_weight(font.get(), bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(font.get(), pixelSize * PANGO_SCALE);
  pango_layout_set_font_description(layout.get(), font.get());
  // Every text of the window reads left to right, so a right-to-left name inside an English
  // caption stays where it was typed, and each text is one line.
  pango_layout_set_auto_dir(layout.get(), FALSE);
  pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
  pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
  if (primaryAlone(layout.get(), family)) return TextLine(utf8, flWidth(), nullptr);
  PangoRectangle logical;
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  return TextLine(utf8, pixels(logical.width), std::move(layout));
}

void TextLine::draw(double x, int baseline) const {
  if (plain()) {
    fl_draw(utf8_.data(), static_cast<int>(utf8_.size()), static_cast<int>(std::lround(x)),
            baseline);
    return;
  }
  const std::unique_ptr<XftDraw, DestroyDraw> target(
      XftDrawCreate(fl_display, fl_window, fl_visual->visual, fl_colormap));
  if (!target) return;
  XftDrawSetClip(target.get(), fl_clip_region());
  unsigned char r = 0;
  unsigned char g = 0;
  unsigned char b = 0;
  Fl::get_color(fl_color(), r, g, b);
  constexpr unsigned short kByteToShort = 0x101;
  XftColor colour{
      fl_xpixel(fl_color()),
      {static_cast<unsigned short>(r * kByteToShort), static_cast<unsigned short>(g * kByteToShort),
       static_cast<unsigned short>(b * kByteToShort), 0xffff}};
  pango_xft_render_layout(target.get(), &colour, layout_.get(), units(x),
                          baseline * PANGO_SCALE - pango_layout_get_baseline(layout_.get()));
}

double TextLine::caretX(int byte) const {
  PangoRectangle strong;
  pango_layout_get_cursor_pos(layout_.get(), byte, &strong, nullptr);
  return pixels(strong.x);
}

std::vector<std::pair<double, double>> TextLine::selection(int from, int to) const {
  int* ranges = nullptr;
  int count = 0;
  pango_layout_line_get_x_ranges(pango_layout_get_line_readonly(layout_.get(), 0),
                                 std::min(from, to), std::max(from, to), &ranges, &count);
  std::vector<std::pair<double, double>> spans;
  for (int i = 0; i < count; ++i) {
    spans.emplace_back(pixels(ranges[2 * i]), pixels(ranges[2 * i + 1]));
  }
  g_free(ranges);
  return spans;
}

std::pair<double, double> TextLine::characterSpan(int byte) const {
  if (plain()) {
    const double left = fl_width(utf8_.data(), byte);
    const int size = std::clamp(fl_utf8len1(utf8_[byte]), 1, static_cast<int>(utf8_.size()) - byte);
    return {left, left + fl_width(utf8_.data() + byte, size)};
  }
  PangoRectangle box;
  pango_layout_index_to_pos(layout_.get(), byte, &box);
  return std::minmax(pixels(box.x), pixels(box.x + box.width));
}

int TextLine::offsetAt(double x) const {
  int index = 0;
  int trailing = 0;
  pango_layout_xy_to_index(layout_.get(), units(x), 0, &index, &trailing);
  const char* text = pango_layout_get_text(layout_.get());
  return static_cast<int>(g_utf8_offset_to_pointer(text + index, trailing) - text);
}

int TextLine::step(int byte, bool forward) const {
  const char* text = pango_layout_get_text(layout_.get());
  int count = 0;
  const PangoLogAttr* attrs = pango_layout_get_log_attrs_readonly(layout_.get(), &count);
  auto at = g_utf8_pointer_to_offset(text, text + byte);
  do {
    at += forward ? 1 : -1;
  } while (at > 0 && at < count - 1 && !attrs[at].is_cursor_position);
  at = std::clamp<glong>(at, 0, count - 1);
  return static_cast<int>(g_utf8_offset_to_pointer(text, at) - text);
}

std::pair<int, int> TextLine::wordAt(int byte) const {
  const char* text = pango_layout_get_text(layout_.get());
  int count = 0;
  const PangoLogAttr* attrs = pango_layout_get_log_attrs_readonly(layout_.get(), &count);
  const auto at = g_utf8_pointer_to_offset(text, text + byte);
  auto start = at;
  while (start > 0 && !attrs[start].is_word_start) --start;
  auto end = std::min<glong>(start + 1, count - 1);
  while (end < count - 1 && !attrs[end].is_word_end) ++end;
  if (!attrs[start].is_word_start || !attrs[end].is_word_end || end < at) return {byte, byte};
  return {static_cast<int>(g_utf8_offset_to_pointer(text, start) - text),
          static_cast<int>(g_utf8_offset_to_pointer(text, end) - text)};
}

}  // namespace fltkhost
