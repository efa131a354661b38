#pragma once

#include <FL/Enumerations.H>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "hosts/fltk/line_layout.h"

namespace fltkhost {

class ShapedFont;

// One line of text as it is drawn. A line the layout's font draws alone, left to right, is left
// to FLTK; any other is shaped run by run, each run in the installed font that has its
// characters, and drawn glyph by glyph.
struct TextLine {
  // All set by TextRenderer::layout and read by the caller that owns the line: the text, the
  // shaped runs from left to right (none for a plain line) and the font of each, owned by the
  // renderer, where each character stands, the layout's font, the pixel size, and the width
  // (FLTK's for a plain line, else the sum of the advances).
  std::string utf8;
  std::vector<ShapedRun> runs;
  std::vector<const ShapedFont*> fonts;
  LineLayout geometry;
  Fl_Font primary = 0;
  int pixels = 0;
  double width = 0;

  // True when the line is the text itself in the layout's font alone, which FLTK can draw and
  // measure unaided.
  bool plain() const { return runs.empty(); }
  // Called inside a window's draw(): draws the line with its left end at x and its baseline at
  // y in the current colour and clip, and leaves the layout's font selected.
  void draw(double x, int baseline) const;
};

// Lays out text so that every character shows: the layout's font draws each character it has,
// and any other character is drawn by the installed font fontconfig ranks first among those that
// have it. Right-to-left text is put in visual order, and every run is shaped by HarfBuzz. Owned
// by the fonts.
class TextRenderer {
 public:
  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // Called by the canvas and the dialogs: one line of UTF-8 text laid out in the layout's font
  // (an FLTK font number registered with a face name) at that pixel size. May open fonts for the
  // characters that font lacks; leaves that font selected.
  TextLine layout(std::string_view utf8, Fl_Font primary, int pixels);

 private:
  struct Coverage;
  Coverage& coverageOf(Fl_Font primary);
  int faceFor(Coverage& coverage, char32_t c);
  const ShapedFont* fontFor(Coverage& coverage, int face, int pixels);

  // Owned here: what each layout font covers and which installed font stands in for what it
  // lacks, as indices into fontconfig's list for that font.
  std::map<Fl_Font, std::unique_ptr<Coverage>> coverage_;
  // Owned here: every font file opened so far, by file, face index and pixel size.
  std::map<std::tuple<std::string, int, int>, std::unique_ptr<ShapedFont>> fonts_;
};

}  // namespace fltkhost
