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

// Drops a GObject reference: the holder of a Pango object owns one.
struct GObjectUnref {
  void operator()(void* object) const;
};

// One line of text as it is drawn. A line the layout's font draws alone, left to right, is left
// to FLTK; any other is laid out by Pango (runs, shaping, fonts for what the layout's font
// lacks, bold made up where a font has none) and drawn through Xft. Positions in the text are
// byte offsets into its UTF-8, as in FLTK's field; x counts pixels from the line's left end.
class TextLine {
 public:
  // Made by TextRenderer::layout; owns its Pango layout, if any.
  TextLine(std::string_view utf8, double width, std::unique_ptr<PangoLayout, GObjectUnref> layout)
      : utf8_(utf8), width_(width), layout_(std::move(layout)) {}

  // True when FLTK draws and measures the line unaided.
  bool plain() const { return !layout_; }
  double width() const { return width_; }
  // Called inside a window's draw(): draws the line with its left end at x and its baseline at
  // y, in the current colour and clip. Leaves the current font alone.
  void draw(double x, int baseline) const;
  // The span [left, right) of the character that starts at that byte (which must be before the
  // end); for a plain line, with its font still selected.
  std::pair<double, double> characterSpan(int byte) const;
  // The rest is for lines that are not plain. Where the caret before that byte stands: on the
  // side where the next letter typed in the same script appears.
  double caretX(int byte) const;
  // The spans [left, right) that the bytes between two offsets cover, left to right.
  std::vector<std::pair<double, double>> selection(int from, int to) const;
  // The offset nearest to x, on the side of the character that x is on.
  int offsetAt(double x) const;
  // The offset one character (as the reader counts: a letter with its marks) before or after.
  int step(int byte, bool forward) const;
  // The offsets around the word at that byte, or that byte twice when none is there.
  std::pair<int, int> wordAt(int byte) const;

 private:
  std::string utf8_;
  double width_;
  std::unique_ptr<PangoLayout, GObjectUnref> layout_;
};

// Lays out text so that every character shows, in the layout's font where it has it and in an
// installed font that has it where not. Pango is asked nothing until a line needs it. Owned by
// the fonts.
class TextRenderer {
 public:
  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // Called by the canvas and the dialogs: one line of UTF-8 text in the layout's font (an FLTK
  // font number registered with a face name) at that pixel size. Leaves that font selected.
  TextLine layout(std::string_view utf8, Fl_Font primary, int pixelSize);

 private:
  // Owned here, made by the first line that is not plain ASCII.
  std::unique_ptr<PangoContext, GObjectUnref> context_;
};

}  // namespace fltkhost
