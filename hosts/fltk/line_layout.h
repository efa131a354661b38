#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "hosts/fltk/text_runs.h"

namespace fltkhost {

// A glyph as the shaper placed it: its index in its font, the first character (index in the
// line) of the cluster it shows, its advance and its offsets (y upwards), all in pixels.
struct Glyph {
  unsigned id = 0;
  std::size_t cluster = 0;
  double advance = 0;
  double dx = 0;
  double dy = 0;
  friend bool operator==(const Glyph&, const Glyph&) = default;
};

// A run with its glyphs from left to right. Made by the text renderer, owned by its line.
struct ShapedRun {
  TextRun run;
  std::vector<Glyph> glyphs;
};

// Where each character of a shaped line stands on screen, x counted in pixels from the line's
// left end: what the name field needs for its caret, its selection and the mouse. Made by the
// text renderer from the runs left to right; changes nothing after.
class LineLayout {
 public:
  LineLayout() = default;
  LineLayout(std::size_t length, const std::vector<ShapedRun>& runs);

  double width() const { return width_; }
  // The caret between a character and the one before it (0 to the length): on the far side of
  // the character before it in that character's direction, where the next letter of the same
  // script appears; before the first character, on its near side.
  double caretX(std::size_t position) const;
  // The spans [left, right) the characters from one position to another cover, left to right,
  // spans that touch joined: one span in one direction, several across directions.
  std::vector<std::pair<double, double>> selection(std::size_t from, std::size_t to) const;
  // The position before or after the character whose edge is nearest to x: the leading edge
  // is the position before it, the trailing edge the one after.
  std::size_t positionAt(double x) const;

 private:
  struct Box {
    double left = 0;
    double right = 0;
    bool rightToLeft = false;
  };
  // Owned here: the span of each character, a cluster's width shared among its characters.
  std::vector<Box> boxes_;
  double width_ = 0;
};

// Called by the name field as it draws: how far its text is scrolled to the left so that the
// caret shows, moving the old scroll only as far as that needs, keeping a margin on the caret's
// side where the text goes on, and never leaving room after the end of the text.
double scrollFor(double caret, double lineWidth, double fieldWidth, double scroll);

}  // namespace fltkhost
