#include "hosts/core/board_arrangement.h"

#include <array>

namespace windowcore {

namespace {

// The window's parts, in its layout pixels (655 x 336): the roll tray with the roll button
// under it and the margins around them; the score cards with the strip above them; and the
// two corner buttons. The cards begin at 352 and the tray ends at 345.
constexpr toolkit::PixelRect kTray{0, 0, 349, 336};
constexpr toolkit::PixelRect kCard{349, 17, 306, 319};
constexpr toolkit::PixelRect kNewGame{618, 0, 17, 17};
constexpr toolkit::PixelRect kExit{638, 0, 17, 17};

constexpr std::array<BoardRegion, 1> kWindowRegions{{{{0, 0, 655, 336}, 0, 0}}};

// Wide, for a touch screen held across: the window with "N" moved left, so that each corner
// button has a tap area of its own wider than a finger; the areas reach down over the top of
// the card's frame, where nothing else is tapped. "X" stays in the corner.
constexpr std::array<BoardRegion, 4> kWideRegions{{
    {kTray, 0, 0},
    {kCard, 349, 17},
    {kNewGame, 596, 0},
    {kExit, 638, 0},
}};
constexpr std::array<TapArea, 2> kWideTaps{{
    {"cmdNewGame", {584, 0, 44, 30}},
    {"cmdExit", {628, 0, 27, 30}},
}};

// Stacked, for a screen held upright: the tray and its roll button on top, the card under
// them, and "N" over "X" in the column the card leaves free at the bottom right, under the
// player's thumb.
constexpr std::array<BoardRegion, 4> kStackedRegions{{
    {kTray, 0, 0},
    {kCard, 0, 336},
    {kNewGame, 319, 591},
    {kExit, 319, 628},
}};
constexpr std::array<TapArea, 2> kStackedTaps{{
    {"cmdNewGame", {306, 582, 43, 36}},
    {"cmdExit", {306, 619, 43, 36}},
}};

constexpr std::array<BoardArrangement, kBoardShapes> kArrangements{{
    {"window", 655, 336, kWindowRegions, {}},
    {"wide", 655, 336, kWideRegions, kWideTaps},
    {"stacked", 349, 655, kStackedRegions, kStackedTaps},
}};

bool within(const toolkit::PixelRect& inner, const toolkit::PixelRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
         inner.y + inner.h <= outer.y + outer.h;
}

}  // namespace

const BoardArrangement& boardArrangement(int shape) {
  return shape >= 0 && shape < kBoardShapes ? kArrangements[shape] : kArrangements[0];
}

const BoardRegion* regionOf(const BoardArrangement& board, const toolkit::PixelRect& r) {
  for (const BoardRegion& region : board.regions) {
    if (within(r, region.from)) return &region;
  }
  for (const BoardRegion& region : board.regions) {
    if (region.from.contains(r.x + r.w / 2, r.y + r.h / 2)) return &region;
  }
  return nullptr;
}

toolkit::PixelRect onBoard(const BoardArrangement& board, const toolkit::PixelRect& r) {
  const BoardRegion* region = regionOf(board, r);
  // The window itself, larger than any part: the whole board.
  if (region == nullptr || r.w > region->from.w || r.h > region->from.h) {
    return {0, 0, board.width, board.height};
  }
  return {r.x + region->x - region->from.x, r.y + region->y - region->from.y, r.w, r.h};
}

ShiftedCanvas::ShiftedCanvas(toolkit::Canvas& target, int dx, int dy,
                             const toolkit::PixelRect& clip)
    : target_(target), dx_(dx), dy_(dy), clip_(clip) {
  target_.pushClip(clip_);
}

ShiftedCanvas::~ShiftedCanvas() {
  target_.popClip();
}

void ShiftedCanvas::pushClip(const toolkit::PixelRect& r) {
  target_.pushClip(moved(r));
}

void ShiftedCanvas::popClip() {
  target_.popClip();
}

void ShiftedCanvas::fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) {
  if (!outside(r)) target_.fillRect(moved(r), colour);
}

void ShiftedCanvas::drawText(const toolkit::PixelRect& box, std::string_view utf8,
                             const toolkit::Font& font, toolkit::Rgb colour,
                             toolkit::HAlign align) {
  if (!outside(box)) target_.drawText(moved(box), utf8, font, colour, align);
}

int ShiftedCanvas::textWidth(std::string_view utf8, const toolkit::Font& font) {
  return target_.textWidth(utf8, font);
}

void ShiftedCanvas::drawImage(int x, int y, const toolkit::Image& image) {
  if (!outside({x, y, image.width, image.height})) target_.drawImage(x + dx_, y + dy_, image);
}

void ShiftedCanvas::drawFocusRect(const toolkit::PixelRect& r) {
  if (!outside(r)) target_.drawFocusRect(moved(r));
}

}  // namespace windowcore
