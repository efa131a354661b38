#pragma once

#include <span>
#include <string_view>

#include "toolkit/canvas.h"
#include "toolkit/style.h"

namespace windowcore {

// One part of the window as it stands on a board: the window's pixels `from` are drawn with
// their top left corner at (x, y) of the board, in layout pixels. Parts never overlap, in the
// window or on the board.
struct BoardRegion {
  toolkit::PixelRect from;
  int x = 0;
  int y = 0;
};

// A control whose drawing is too small to tap: on the board a tap anywhere in `area` (board
// layout pixels, around the control's drawing and clear of every other control) is a tap in
// the middle of the control. The accessibility mirror gives the control this area too.
struct TapArea {
  std::string_view control;  // the control's path, as the form names it
  toolkit::PixelRect area;
};

// How the window's parts are laid on the canvas. The desktop windows and the page with a
// mouse use the window as it is laid out; a touch screen takes the wide or the stacked board,
// whichever is larger on its screen.
struct BoardArrangement {
  std::string_view name;
  int width = 0;  // the board in layout pixels
  int height = 0;
  std::span<const BoardRegion> regions;
  std::span<const TapArea> taps;
};

enum class BoardShape : int { Window = 0, Wide = 1, Stacked = 2 };
inline constexpr int kBoardShapes = 3;

// Called by the window core and the page: the arrangement of that shape; an index out of range
// is the window's. Changes nothing.
const BoardArrangement& boardArrangement(int shape);
// Called by the window core: the region that holds the window's rectangle r wholly, else the
// one that holds its middle, else nullptr. Changes nothing.
const BoardRegion* regionOf(const BoardArrangement& board, const toolkit::PixelRect& r);
// Called by the window core for tool tips and the accessibility mirror: the window's rectangle
// r where it stands on the board, in layout pixels; the window itself is the whole board.
toolkit::PixelRect onBoard(const BoardArrangement& board, const toolkit::PixelRect& r);

// A canvas that moves everything drawn on it by a whole number of device pixels and keeps it
// inside `clip` (device pixels, after the move); what lies wholly outside is not passed on at
// all. The window core draws each region of a board through one.
class ShiftedCanvas : public toolkit::Canvas {
 public:
  ShiftedCanvas(toolkit::Canvas& target, int dx, int dy, const toolkit::PixelRect& clip);
  ~ShiftedCanvas() override;
  ShiftedCanvas(const ShiftedCanvas&) = delete;
  ShiftedCanvas& operator=(const ShiftedCanvas&) = delete;

  void pushClip(const toolkit::PixelRect& r) override;
  void popClip() override;
  void fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) override;
  void drawText(const toolkit::PixelRect& box, std::string_view utf8, const toolkit::Font& font,
                toolkit::Rgb colour, toolkit::HAlign align) override;
  int textWidth(std::string_view utf8, const toolkit::Font& font) override;
  void drawImage(int x, int y, const toolkit::Image& image) override;
  void drawFocusRect(const toolkit::PixelRect& r) override;

 private:
  toolkit::PixelRect moved(const toolkit::PixelRect& r) const {
    return {r.x + dx_, r.y + dy_, r.w, r.h};
  }
  bool outside(const toolkit::PixelRect& r) const { return moved(r).intersect(clip_).empty(); }

  toolkit::Canvas& target_;  // the platform canvas, owned by the window
  int dx_;
  int dy_;
  toolkit::PixelRect clip_;
};

}  // namespace windowcore
