#include "hosts/fltk/text_renderer.h"

#include <fontconfig/fontconfig.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <cmath>
#include <unordered_map>

#include "hosts/fltk/text_runs.h"
#include "toolkit/utf8.h"

namespace fltkhost {

namespace {

// Stand-in fonts get FLTK numbers from here on, well clear of the faces the window registers
// itself.
constexpr Fl_Font kFirstStandIn = FL_FREE_FONT + 32;

bool isAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

struct TextRenderer::Coverage {
  // The installed fonts in fontconfig's order of preference for the layout font, the best match
  // first; null when fontconfig found none.
  FcFontSet* sorted = nullptr;
  bool bold = false;
  // The font chosen so far for each character the layout font lacks.
  std::unordered_map<char32_t, Fl_Font> chosen;

  ~Coverage() {
    if (sorted != nullptr) FcFontSetDestroy(sorted);
  }
};

TextRenderer::TextRenderer() : nextNumber_(kFirstStandIn) {}

TextRenderer::~TextRenderer() = default;

TextRenderer::Coverage& TextRenderer::coverageOf(Fl_Font primary) {
  auto it = coverage_.find(primary);
  if (it != coverage_.end()) return *it->second;
  auto coverage = std::make_unique<Coverage>();
  // FLTK's Xft names start with a weight mark: a space for regular, B bold, I italic, P both.
  const std::string name = Fl::get_font(primary);
  coverage->bold = !name.empty() && (name[0] == 'B' || name[0] == 'P');
  const std::string family = name.empty() ? std::string() : name.substr(1);
  if (FcPattern* pattern = FcPatternCreate()) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    if (coverage->bold) FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    coverage->sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
    FcPatternDestroy(pattern);
  }
  return *coverage_.emplace(primary, std::move(coverage)).first->second;
}

Fl_Font TextRenderer::registered(const std::string& flName) {
  auto it = numbers_.find(flName);
  if (it != numbers_.end()) return it->second;
  names_.push_back(flName);
  const Fl_Font number = nextNumber_++;
  Fl::set_font(number, names_.back().c_str());
  numbers_.emplace(flName, number);
  return number;
}

Fl_Font TextRenderer::faceFor(Fl_Font primary, char32_t c) {
  Coverage& coverage = coverageOf(primary);
  if (coverage.sorted == nullptr || coverage.sorted->nfont == 0) return primary;
  const auto has = [c](FcPattern* font) {
    FcCharSet* chars = nullptr;
    return FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) == FcResultMatch &&
           FcCharSetHasChar(chars, c);
  };
  if (has(coverage.sorted->fonts[0])) return primary;
  auto known = coverage.chosen.find(c);
  if (known != coverage.chosen.end()) return known->second;
  Fl_Font face = primary;  // no font has it: the layout font shows its box for a missing glyph
  for (int i = 1; i < coverage.sorted->nfont; ++i) {
    FcPattern* font = coverage.sorted->fonts[i];
    FcChar8* family = nullptr;
    if (!has(font) || FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch) continue;
    face = registered((coverage.bold ? "B" : " ") + std::string(reinterpret_cast<char*>(family)));
    break;
  }
  coverage.chosen.emplace(c, face);
  return face;
}

TextLine TextRenderer::layout(std::string_view utf8, Fl_Font primary, int pixels) {
  TextLine line;
  line.primary = primary;
  line.pixels = pixels;
  if (isAscii(utf8)) {
    // Every font the window uses has the printable ASCII characters: no lookup is needed.
    line.pieces.push_back({primary, std::string(utf8), 0});
  } else {
    for (TextRun& run : splitRuns(visualOrder(toolkit::decodeUtf8(utf8)),
                                  [&](char32_t c) { return faceFor(primary, c); })) {
      line.pieces.push_back({static_cast<Fl_Font>(run.face), std::move(run.utf8), 0});
    }
  }
  for (TextLine::Piece& piece : line.pieces) {
    fl_font(piece.font, pixels);
    piece.width = fl_width(piece.utf8.data(), static_cast<int>(piece.utf8.size()));
    line.width += piece.width;
  }
  fl_font(primary, pixels);
  return line;
}

void TextLine::draw(int x, int baseline) const {
  double offset = 0;
  for (const Piece& piece : pieces) {
    if (piece.font != primary) fl_font(piece.font, pixels);
    fl_draw(piece.utf8.data(), static_cast<int>(piece.utf8.size()),
            x + static_cast<int>(std::lround(offset)), baseline);
    if (piece.font != primary) fl_font(primary, pixels);
    offset += piece.width;
  }
}

}  // namespace fltkhost
