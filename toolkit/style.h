#pragma once

#include <cstdint>
#include <string>

namespace toolkit {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A font as the layout names it; each front end maps the face to one it has.
struct Font {
  std::string face;
  float points = 8.25f;
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

enum class HAlign { Left, Center, Right };

// Twips per pixel at 96 dots per inch, the only resolution the window is laid out for.
inline constexpr float kTwipsPerPixel = 15.0f;

// A rectangle in device pixels.
struct PixelRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
  PixelRect intersect(const PixelRect& o) const;
  bool empty() const { return w <= 0 || h <= 0; }
};

}  // namespace toolkit
