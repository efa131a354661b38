#include "stroke_font.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace assets {
namespace {

using Vec = StrokeVec;
using Polyline = StrokePolyline;
using Glyph = StrokeGlyph;

// Letters are drawn in pixel-edge coordinates, y down, with the pen centre running along the
// polylines. A pen radius of 1.8 makes straight strokes exactly three pixels wide, and with the
// tops of capitals at y = 1.5 and the baseline at y = 18.5 the ink covers rows 0..19.
constexpr double kPenRadius = 1.8;
constexpr double kCapTop = 1.5;
constexpr double kXTop = 7.5;
constexpr double kBase = 18.5;
constexpr double kStem = 1.5;
constexpr int kLetterGap = 2;
constexpr int kSpaceAdvance = 6;

// An elliptical arc from startDeg to endDeg (counter-clockwise as seen on screen when
// endDeg > startDeg), sampled every 5 degrees so the extremes at multiples of 90 are exact.
Polyline arc(double cx, double cy, double rx, double ry, int startDeg, int endDeg) {
  Polyline points;
  const int step = endDeg > startDeg ? 5 : -5;
  for (int deg = startDeg;; deg += step) {
    if ((step > 0 && deg > endDeg) || (step < 0 && deg < endDeg)) deg = endDeg;
    const double a = deg * std::numbers::pi / 180.0;
    points.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
    if (deg == endDeg) break;
  }
  return points;
}

Polyline join(Polyline a, const Polyline& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Glyph glyphFor(char c) {
  switch (c) {
    case 'C':
      return {{arc(8.5, 10, 7, 8.5, 45, 315)}};
    case 'D':
      return {{{{kStem, kCapTop}, {kStem, kBase}},
               join(join({{kStem, kCapTop}}, arc(7, 10, 7, 8.5, 90, -90)), {{kStem, kBase}})}};
    case 'R':
      return {{{{kStem, kBase}, {kStem, kCapTop}},
               join(join({{kStem, kCapTop}}, arc(7.5, 6, 5, 4.5, 90, -90)), {{kStem, 10.5}}),
               {{7, 10.5}, {13, kBase}}}};
    case 'S':
      return {{join(arc(7.5, 6, 6, 4.5, 35, 270), arc(7.5, 14.5, 6, 4, 90, -145))}};
    case 'a':
      return {{arc(6.5, 13, 5, 5.5, 0, 360), {{11.5, kXTop}, {11.5, kBase}}}};
    case 'c':
      return {{arc(7, 13, 5.5, 5.5, 45, 315)}};
    case 'e':
      return {{join({{kStem, 13}}, arc(7, 13, 5.5, 5.5, 0, 315))}};
    case 'i':
      return {{{{kStem, kCapTop}}, {{kStem, kXTop}, {kStem, kBase}}}};
    case 'k':
      return {{{{kStem, kCapTop}, {kStem, kBase}},
               {{10.5, kXTop}, {kStem, 14.5}},
               {{5, 11.8}, {11, kBase}}}};
    case 'l':
      return {{{{kStem, kCapTop}, {kStem, kBase}}}};
    case 'o':
      return {{arc(7, 13, 5.5, 5.5, 0, 360)}};
    case 'r':
      return {{{{kStem, kXTop}, {kStem, kBase}}, arc(6.5, 12.5, 5, 5, 180, 60)}};
    case 't':
      return {{join({{4.5, 3.5}}, join(arc(7.5, 16, 3, 2.5, 180, 270), {{9.5, kBase}})),
               {{kStem, kXTop}, {9, kXTop}}}};
    case 'v':
      return {{{{kStem, kXTop}, {6.5, kBase}, {11.5, kXTop}}}};
    default:
      throw std::invalid_argument(std::string("the stroke font has no glyph for '") + c + "'");
  }
}

double distanceToSegment(Vec p, Vec a, Vec b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = 0.0;
  if (lengthSquared > 0.0) {
    t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
  }
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool pen(const Glyph& glyph, Vec p) {
  for (const Polyline& stroke : glyph.strokes) {
    if (stroke.size() == 1 && distanceToSegment(p, stroke[0], stroke[0]) <= kPenRadius) {
      return true;
    }
    for (std::size_t i = 1; i < stroke.size(); ++i) {
      if (distanceToSegment(p, stroke[i - 1], stroke[i]) <= kPenRadius) return true;
    }
  }
  return false;
}

double rightmost(const Glyph& glyph) {
  double right = 0.0;
  for (const Polyline& stroke : glyph.strokes) {
    for (const Vec& v : stroke) right = std::max(right, v.x);
  }
  return right;
}

}  // namespace

StrokeText::StrokeText(std::string_view text) {
  int cursor = 0;
  for (char c : text) {
    if (c == ' ') {
      cursor += kSpaceAdvance;
      continue;
    }
    Glyph glyph = glyphFor(c);
    const int width = static_cast<int>(std::ceil(rightmost(glyph) + kPenRadius));
    letters_.push_back({std::move(glyph), cursor, width});
    cursor += width + kLetterGap;
  }
  // The ink's extent at 96 dots per inch, sampled at the pixel centres as the picture is drawn.
  int inkLeft = cursor;
  int inkRight = -1;
  for (const Placed& letter : letters_) {
    for (int y = 0; y < kStrokeCapHeight; ++y) {
      for (int x = 0; x < letter.width; ++x) {
        if (!pen(letter.glyph, {x + 0.5, y + 0.5})) continue;
        inkLeft = std::min(inkLeft, letter.left + x);
        inkRight = std::max(inkRight, letter.left + x);
      }
    }
  }
  if (inkRight < inkLeft) {
    letters_.clear();
    return;
  }
  for (Placed& letter : letters_) letter.left -= inkLeft;
  inkWidth_ = inkRight - inkLeft + 1;
}

bool StrokeText::inkAt(double x, double y) const {
  if (x < 0 || y < 0 || x >= inkWidth_ || y >= kStrokeCapHeight) return false;
  for (const Placed& letter : letters_) {
    const double local = x - letter.left;
    if (local >= 0 && local < letter.width && pen(letter.glyph, {local, y})) return true;
  }
  return false;
}

}  // namespace assets
