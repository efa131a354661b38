#pragma once

#include <FL/Enumerations.H>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fltkhost {

// One line of text as it is drawn: pieces in visual order, each in the FLTK font that has its
// characters, at one pixel size.
struct TextLine {
  // A stretch drawn in one font; its width is as FLTK measures it in that font.
  struct Piece {
    Fl_Font font = 0;
    std::string utf8;
    double width = 0;
  };
  // All four are set by TextRenderer::layout and read by the caller that owns the line: the
  // pieces from left to right, the layout's font, the pixel size and the sum of the widths.
  std::vector<Piece> pieces;
  Fl_Font primary = 0;
  int pixels = 0;
  double width = 0;

  // True when the line is the text itself in the layout's font alone, which FLTK can draw and
  // measure unaided.
  bool plain() const { return pieces.size() == 1 && pieces.front().font == primary; }
  // Called inside a window's draw(): draws the line with its left end at x and its baseline at
  // y in the current colour and clip, and leaves the layout's font selected.
  void draw(int x, int baseline) const;
};

// Lays out text so that every character shows: the layout's font draws each character it has,
// and any other character is drawn by the installed font fontconfig ranks first among those that
// have it. Right-to-left text is put in visual order first. Owned by the fonts.
class TextRenderer {
 public:
  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // Called by the canvas and the dialogs: one line of UTF-8 text laid out in the layout's font
  // (an FLTK font number registered with a face name) at that pixel size. May register fonts
  // with FLTK for the characters that font lacks; leaves that font selected.
  TextLine layout(std::string_view utf8, Fl_Font primary, int pixels);

 private:
  struct Coverage;
  Coverage& coverageOf(Fl_Font primary);
  Fl_Font faceFor(Fl_Font primary, char32_t c);
  Fl_Font registered(const std::string& flName);

  // Owned here: what each layout font covers and which font stands in for what it lacks.
  std::map<Fl_Font, std::unique_ptr<Coverage>> coverage_;
  // Owned here: the names of the stand-in fonts, which FLTK's font table points into, and the
  // FLTK number given to each.
  std::deque<std::string> names_;
  std::map<std::string, Fl_Font> numbers_;
  Fl_Font nextNumber_;
};

}  // namespace fltkhost
