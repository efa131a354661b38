#include "hosts/fltk/text_renderer.h"

#include <X11/Xft/Xft.h>
#include <fontconfig/fontconfig.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <cmath>
#include <unordered_map>

#include "hosts/fltk/text_shaper.h"
#include "toolkit/utf8.h"

namespace fltkhost {

namespace {

bool isAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

struct CloseFont {
  void operator()(XftFont* font) const { XftFontClose(fl_display, font); }
};

struct DestroyDraw {
  void operator()(XftDraw* draw) const { XftDrawDestroy(draw); }
};

}  // namespace

// A font file at one size: HarfBuzz shapes with it, Xft draws its glyphs. Owned by the renderer.
class ShapedFont {
 public:
  ShapedFont(const std::string& file, int index, int pixels)
      : shaper(file, static_cast<unsigned>(index), pixels),
        file_(file),
        index_(index),
        pixels_(pixels) {}

  // Called as a line is drawn: the same file at the same size for Xft, opened the first time.
  XftFont* xft() const {
    if (!xft_) {
      xft_.reset(XftFontOpen(fl_display, fl_screen, XFT_FILE, XftTypeString, file_.c_str(),
                             XFT_INDEX, XftTypeInteger, index_, XFT_PIXEL_SIZE, XftTypeDouble,
                             static_cast<double>(pixels_), nullptr));
    }
    return xft_.get();
  }

  const TextShaper shaper;

 private:
  const std::string file_;
  const int index_;
  const int pixels_;
  // Owned here, opened by xft().
  mutable std::unique_ptr<XftFont, CloseFont> xft_;
};

struct TextRenderer::Coverage {
  // The installed fonts in fontconfig's order of preference for the layout font, the best match
  // (the layout font itself) first; null when fontconfig found none.
  FcFontSet* sorted = nullptr;
  // The font chosen so far for each character the layout font lacks, as an index into sorted.
  std::unordered_map<char32_t, int> chosen;

  ~Coverage() {
    if (sorted != nullptr) FcFontSetDestroy(sorted);
  }
};

TextRenderer::TextRenderer() = default;

TextRenderer::~TextRenderer() = default;

TextRenderer::Coverage& TextRenderer::coverageOf(Fl_Font primary) {
  auto it = coverage_.find(primary);
  if (it != coverage_.end()) return *it->second;
  auto coverage = std::make_unique<Coverage>();
  // FLTK's Xft names start with a weight mark: a space for regular, B bold, I italic, P both.
  const std::string name = Fl::get_font(primary);
  const bool bold = !name.empty() && (name[0] == 'B' || name[0] == 'P');
  const std::string family = name.empty() ? std::string() : name.substr(1);
  if (FcPattern* pattern = FcPatternCreate()) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    if (bold) FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    coverage->sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
    FcPatternDestroy(pattern);
  }
  return *coverage_.emplace(primary, std::move(coverage)).first->second;
}

int TextRenderer::faceFor(Coverage& coverage, char32_t c) {
  if (coverage.sorted == nullptr || coverage.sorted->nfont == 0) return 0;
  const auto has = [c](FcPattern* font) {
    FcCharSet* chars = nullptr;
    return FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) == FcResultMatch &&
           FcCharSetHasChar(chars, c);
  };
  if (has(coverage.sorted->fonts[0])) return 0;
  auto known = coverage.chosen.find(c);
  if (known != coverage.chosen.end()) return known->second;
  int face = 0;  // no font has it: the layout font shows its box for a missing glyph
  for (int i = 1; i < coverage.sorted->nfont && face == 0; ++i) {
    if (has(coverage.sorted->fonts[i])) face = i;
  }
  coverage.chosen.emplace(c, face);
  return face;
}

const ShapedFont* TextRenderer::fontFor(Coverage& coverage, int face, int pixels) {
  if (coverage.sorted == nullptr || face >= coverage.sorted->nfont) return nullptr;
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(coverage.sorted->fonts[face], FC_FILE, 0, &file) != FcResultMatch) {
    return nullptr;
  }
  FcPatternGetInteger(coverage.sorted->fonts[face], FC_INDEX, 0, &index);
  const auto key = std::make_tuple(std::string(reinterpret_cast<char*>(file)), index, pixels);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    it = fonts_.emplace(key, std::make_unique<ShapedFont>(std::get<0>(key), index, pixels)).first;
  }
  return it->second->shaper.valid() ? it->second.get() : nullptr;
}

TextLine TextRenderer::layout(std::string_view utf8, Fl_Font primary, int pixels) {
  TextLine line{std::string(utf8), {}, {}, {}, primary, pixels, 0};
  // Every font the window uses has the printable ASCII characters: no lookup is needed.
  if (!isAscii(utf8)) {
    const std::u32string text = toolkit::decodeUtf8(utf8);
    Coverage& coverage = coverageOf(primary);
    const std::vector<TextRun> runs =
        splitRuns(text, [&](char32_t c) { return faceFor(coverage, c); });
    const bool alone = runs.size() == 1 && runs[0].face == 0 && !runs[0].rightToLeft;
    for (std::size_t i = 0; i < runs.size() && !alone; ++i) {
      const ShapedFont* font = fontFor(coverage, runs[i].face, pixels);
      if (font == nullptr) {
        // Without its font file the line cannot be shaped: FLTK shows what it can.
        line.runs.clear();
        line.fonts.clear();
        break;
      }
      line.runs.push_back({runs[i], font->shaper.shape(text, runs[i])});
      line.fonts.push_back(font);
    }
    if (!line.plain()) line.geometry = LineLayout(text.size(), line.runs);
  }
  fl_font(primary, pixels);
  line.width = line.plain() ? fl_width(line.utf8.data(), static_cast<int>(line.utf8.size()))
                            : line.geometry.width();
  return line;
}

void TextLine::draw(double x, int baseline) const {
  if (plain()) {
    fl_draw(utf8.data(), static_cast<int>(utf8.size()), static_cast<int>(std::lround(x)), baseline);
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
  const XftColor colour{
      fl_xpixel(fl_color()),
      {static_cast<unsigned short>(r * kByteToShort), static_cast<unsigned short>(g * kByteToShort),
       static_cast<unsigned short>(b * kByteToShort), 0xffff}};
  double pen = x;
  std::vector<XftGlyphSpec> specs;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    specs.clear();
    for (const Glyph& glyph : runs[i].glyphs) {
      specs.push_back({glyph.id, static_cast<short>(std::lround(pen + glyph.dx)),
                       static_cast<short>(std::lround(baseline - glyph.dy))});
      pen += glyph.advance;
    }
    if (XftFont* font = fonts[i]->xft()) {
      XftDrawGlyphSpec(target.get(), &colour, font, specs.data(), static_cast<int>(specs.size()));
    }
  }
}

}  // namespace fltkhost
