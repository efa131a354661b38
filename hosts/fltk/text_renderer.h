#pragma once

#include <FL/Enumerations.H>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;

namespace fltkhost {

// Gives back one reference to a Pango object: a holder with this deleter owns one.
struct PangoUnref {
  void operator()(void* object) const;
};

// Text as it is drawn, in lines that line feeds break. Text the layout's font draws alone, left
// to right, is left to FLTK; any other is laid out by Pango (runs, shaping, fonts for what the
// layout's font lacks, bold made up where a font has none) and drawn through Xft. Pango is
// loaded by the first text that needs it: ASCII, and Latin letters the font has, never do.
// Positions are byte offsets into the UTF-8, as in FLTK's field; x counts pixels from the left end.
class TextLine {
 public:
  // Made by TextRenderer::layout; owns its Pango layout, if any.
  TextLine(std::string_view utf8, double width, std::unique_ptr<PangoLayout, PangoUnref> layout)
      : utf8_(utf8), width_(width), layout_(std::move(layout)) {}

  // True when FLTK draws and measures the text unaided.
  bool plain() const { return !layout_; }
  // The width of the widest line.
  double width() const { return width_; }
  // Called inside a window's draw(): draws the text with its left end at x and its first
  // baseline at y, in the current colour and clip.
  void draw(double x, int baseline) const;
  // The span [left, right) of the character at that byte (before the end); for plain text, with
  // its font still selected. The rest is for text that is not plain.
  std::pair<double, double> characterSpan(int byte) const;
  // Where the caret before that byte stands: where the next letter of the same script appears.
  double caretX(int byte) const;
  // The spans [left, right) that the bytes between two offsets cover, left to right.
  std::vector<std::pair<double, double>> selection(int from, int to) const;
  // The offset nearest to x, on the side of the character that x is on.
  int offsetAt(double x) const;
  // The offset one character (as a reader counts: a letter with its marks) before or after.
  int step(int byte, bool forward) const;
  // The offsets around the word at that byte, or that byte twice when none is there.
  std::pair<int, int> wordAt(int byte) const;

 private:
  std::string utf8_;
  double width_;
  std::unique_ptr<PangoLayout, PangoUnref> layout_;
};

// Lays out text so that every character shows, in the layout's font where it has it and in an
// installed font that has it where not. Owned by the fonts.
class TextRenderer {
 public:
  // Called by the canvas and the dialogs: UTF-8 text in the layout's font (an FLTK font number
  // registered with a face name) at that pixel size. Leaves that font selected.
  TextLine layout(std::string_view utf8, Fl_Font primary, int pixelSize);

 private:
  // Owned here, made by the first text FLTK cannot draw alone: Pango is not loaded before.
  std::unique_ptr<PangoContext, PangoUnref> context_;
};

}  // namespace fltkhost
