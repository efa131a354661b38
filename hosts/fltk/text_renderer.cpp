#include "hosts/fltk/text_renderer.h"

#include <X11/Xft/Xft.h>
#include <pango/pangoxft.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <algorithm>
#include <cmath>
#include <string>

#include "hosts/fltk/late_library.h"
#include "toolkit/utf8.h"

// clang-format off
#define QUINTOZ_PANGO_FUNCTIONS(F)                                                     \
  F(pango_xft_get_font_map) F(pango_font_map_create_context) F(pango_layout_new)       \
  F(pango_font_description_from_string) F(pango_font_description_free)                 \
  F(pango_layout_set_font_description) F(pango_layout_set_auto_dir)                    \
  F(pango_layout_set_text) F(pango_layout_get_lines_readonly) F(pango_font_describe)   \
  F(pango_font_description_get_family) F(pango_layout_get_extents)                     \
  F(pango_xft_render_layout) F(pango_layout_get_baseline) F(pango_layout_index_to_pos) \
  F(pango_layout_get_cursor_pos) F(pango_layout_line_get_x_ranges)                     \
  F(pango_layout_get_line_readonly) F(pango_layout_xy_to_index)                        \
  F(pango_layout_get_log_attrs_readonly) F(g_free) F(g_object_unref)                   \
  F(g_utf8_pointer_to_offset) F(g_utf8_offset_to_pointer)
// clang-format on
QUINTOZ_LATE_TABLE(PangoApi, "libpangoxft-1.0.so.0", QUINTOZ_PANGO_FUNCTIONS)

// The Xft font FLTK's fl_font() selected last: exported by FLTK's library, though its header
// declares it only for FLTK's own sources.
extern void* fl_xftfont;

namespace fltkhost {

void PangoUnref::operator()(void* object) const {
  PangoApi::get()->g_object_unref(object);
}

namespace {

// Called only once the table has loaded: its functions.
const PangoApi& pango() {
  return *PangoApi::get();
}

struct DescriptionFree {
  void operator()(PangoFontDescription* d) const { pango().pango_font_description_free(d); }
};
struct XftDrawDestroy {
  void operator()(XftDraw* d) const { ::XftDrawDestroy(d); }
};

double pixels(int units) {
  return static_cast<double>(units) / PANGO_SCALE;
}

long characterOf(const std::string& utf8, int byte) {
  return pango().g_utf8_pointer_to_offset(utf8.c_str(), utf8.c_str() + byte);
}

int byteOf(const std::string& utf8, long character) {
  return static_cast<int>(pango().g_utf8_offset_to_pointer(utf8.c_str(), character) - utf8.c_str());
}

// True when FLTK draws the text exactly as Pango would, without asking Pango: ASCII; text that
// is no UTF-8, of which FLTK shows what it can; and Latin letters and signs (up to U+024F, all
// left to right, none combining) that the selected font has.
bool plainForFltk(std::string_view utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) return true;
  const std::u32string characters = toolkit::decodeUtf8(utf8);
  if (toolkit::encodeUtf8(characters) != utf8) return true;
  auto* font = static_cast<XftFont*>(fl_xftfont);
  return font != nullptr && std::all_of(characters.begin(), characters.end(), [&](char32_t c) {
           return c <= 0x24F && XftCharExists(fl_display, font, c);
         });
}

// True when every run of every line is in the layout's own family and reads left to right:
// then FLTK draws the text just as well, and exactly as it always has.
bool primaryAlone(PangoLayout* layout, const std::string& family) {
  for (GSList* line = pango().pango_layout_get_lines_readonly(layout); line; line = line->next) {
    for (GSList* run = static_cast<PangoLayoutLine*>(line->data)->runs; run; run = run->next) {
      const PangoAnalysis& analysis = static_cast<PangoGlyphItem*>(run->data)->item->analysis;
      const std::unique_ptr<PangoFontDescription, DescriptionFree> used(
          pango().pango_font_describe(analysis.font));
      if (analysis.level % 2 != 0 ||
          family != pango().pango_font_description_get_family(used.get())) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

TextLine TextRenderer::layout(std::string_view utf8, Fl_Font primary, int pixelSize) {
  fl_font(primary, pixelSize);
  const double flWidth = fl_width(utf8.data(), static_cast<int>(utf8.size()));
  if (plainForFltk(utf8) || PangoApi::get() == nullptr) return TextLine(utf8, flWidth, nullptr);
  if (!context_) {
    context_.reset(pango().pango_font_map_create_context(
        pango().pango_xft_get_font_map(fl_display, fl_screen)));
  }
  std::unique_ptr<PangoLayout, PangoUnref> layout(pango().pango_layout_new(context_.get()));
  // FLTK's Xft names start with a weight mark: a space for regular, B bold, I italic, P both.
  const std::string name = std::string(Fl::get_font(primary)) + " ";
  const std::string family = name.substr(1, name.size() - 2);
  const bool bold = name[0] == 'B' || name[0] == 'P';
  const std::unique_ptr<PangoFontDescription, DescriptionFree> font(
      pango().pango_font_description_from_string(
          (family + (bold ? ", Bold " : ", ") + std::to_string(pixelSize) + "px").c_str()));
  pango().pango_layout_set_font_description(layout.get(), font.get());
  // Every text of the window reads left to right, so a right-to-left name inside an English
  // caption stays where it was typed.
  pango().pango_layout_set_auto_dir(layout.get(), FALSE);
  pango().pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
  if (primaryAlone(layout.get(), family)) return TextLine(utf8, flWidth, nullptr);
  PangoRectangle logical;
  pango().pango_layout_get_extents(layout.get(), nullptr, &logical);
  return TextLine(utf8, pixels(logical.width), std::move(layout));
}

void TextLine::draw(double x, int baseline) const {
  const auto left = static_cast<int>(std::lround(x));
  if (plain()) {
    fl_draw(utf8_.data(), static_cast<int>(utf8_.size()), left, baseline);
    return;
  }
  const std::unique_ptr<XftDraw, XftDrawDestroy> target(
      XftDrawCreate(fl_display, fl_window, fl_visual->visual, fl_colormap));
  if (!target) return;
  XftDrawSetClip(target.get(), fl_clip_region());
  unsigned char rgb[3] = {0, 0, 0};
  Fl::get_color(fl_color(), rgb[0], rgb[1], rgb[2]);
  const auto channel = [&](int i) { return static_cast<unsigned short>(rgb[i] * 0x101); };
  XftColor colour{fl_xpixel(fl_color()), {channel(0), channel(1), channel(2), 0xffff}};
  pango().pango_xft_render_layout(
      target.get(), &colour, layout_.get(), left * PANGO_SCALE,
      baseline * PANGO_SCALE - pango().pango_layout_get_baseline(layout_.get()));
}

std::pair<double, double> TextLine::characterSpan(int byte) const {
  if (plain()) {
    const double left = fl_width(utf8_.data(), byte);
    const auto size = toolkit::utf8CharacterSize(utf8_, static_cast<std::size_t>(byte));
    return {left, left + fl_width(utf8_.data() + byte, static_cast<int>(size))};
  }
  PangoRectangle box;
  pango().pango_layout_index_to_pos(layout_.get(), byte, &box);
  return std::minmax(pixels(box.x), pixels(box.x + box.width));
}

double TextLine::caretX(int byte) const {
  PangoRectangle strong;
  pango().pango_layout_get_cursor_pos(layout_.get(), byte, &strong, nullptr);
  return pixels(strong.x);
}

std::vector<std::pair<double, double>> TextLine::selection(int from, int to) const {
  int* ranges = nullptr;
  int count = 0;
  pango().pango_layout_line_get_x_ranges(pango().pango_layout_get_line_readonly(layout_.get(), 0),
                                         std::min(from, to), std::max(from, to), &ranges, &count);
  std::vector<std::pair<double, double>> spans;
  for (int i = 0; i < count; ++i)
    spans.emplace_back(pixels(ranges[2 * i]), pixels(ranges[2 * i + 1]));
  pango().g_free(ranges);
  return spans;
}

int TextLine::offsetAt(double x) const {
  int index = 0;
  int trailing = 0;
  pango().pango_layout_xy_to_index(layout_.get(), static_cast<int>(std::lround(x * PANGO_SCALE)), 0,
                                   &index, &trailing);
  return byteOf(utf8_, characterOf(utf8_, index) + trailing);
}

int TextLine::step(int byte, bool forward) const {
  int count = 0;
  const PangoLogAttr* attrs = pango().pango_layout_get_log_attrs_readonly(layout_.get(), &count);
  long at = characterOf(utf8_, byte);
  do {
    at += forward ? 1 : -1;
  } while (at > 0 && at < count - 1 && !attrs[at].is_cursor_position);
  return byteOf(utf8_, std::clamp(at, 0L, count - 1L));
}

std::pair<int, int> TextLine::wordAt(int byte) const {
  int count = 0;
  const PangoLogAttr* attrs = pango().pango_layout_get_log_attrs_readonly(layout_.get(), &count);
  long start = characterOf(utf8_, byte);
  long end = start;
  while (start > 0 && !attrs[start].is_word_start) --start;
  while (end < count - 1 && !attrs[end].is_word_end) ++end;
  if (!attrs[start].is_word_start || !attrs[end].is_word_end) return {byte, byte};
  return {byteOf(utf8_, start), byteOf(utf8_, end)};
}

}  // namespace fltkhost
