#pragma once

#include <string_view>
#include <vector>

namespace assets {

// A small sans-serif stroke font holding just the letters the tray caption needs. Capitals
// and ascenders are kStrokeCapHeight pixels tall at 96 dots per inch, nothing descends below the
// baseline.
inline constexpr int kStrokeCapHeight = 20;

// A point of a letter's pen path, in pixel-edge coordinates, y down.
struct StrokeVec {
  double x;
  double y;
};
using StrokePolyline = std::vector<StrokeVec>;
struct StrokeGlyph {
  std::vector<StrokePolyline> strokes;
};

// A line of text laid out in the stroke font at 96 dots per inch, in pixel-edge coordinates:
// x from the leftmost column that has ink, y from the top of the capitals. The asset generator
// samples it at pixel centres for the tray picture; the front ends sample it more densely to draw
// the tray larger. Throws std::invalid_argument for characters the font lacks.
class StrokeText {
 public:
  // Made by the tray's geometry, once per drawing of the tray.
  explicit StrokeText(std::string_view text);

  // Called by the tray's geometry to centre the caption: the width, in whole pixels, of the ink
  // when drawn at 96 dots per inch.
  int inkWidth() const { return inkWidth_; }
  // Called by the tray's geometry for every point it samples: whether the pen passes over the
  // point. Only points within a letter's own columns count, as in the 96-dpi drawing. Changes
  // nothing.
  bool inkAt(double x, double y) const;

 private:
  struct Placed {
    StrokeGlyph glyph;
    int left;  // the letter's first column, counted from the ink's first column
    int width;
  };
  std::vector<Placed> letters_;  // set by the constructor, never changed after
  int inkWidth_ = 0;             // set by the constructor, never changed after
};

}  // namespace assets
