#include "toolkit/scaled_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace toolkit {

int scaledEdge(int layoutPixels, double scale) {
  return static_cast<int>(std::floor(layoutPixels * scale + 0.5));
}

Image scaleNearest(const Image& picture, double scale) {
  Image out;
  out.width = scaledEdge(picture.width, scale);
  out.height = scaledEdge(picture.height, scale);
  out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
  for (int y = 0; y < out.height; ++y) {
    const int sy = std::min(picture.height - 1, static_cast<int>((y + 0.5) / scale));
    for (int x = 0; x < out.width; ++x) {
      const int sx = std::min(picture.width - 1, static_cast<int>((x + 0.5) / scale));
      const std::uint8_t* from = picture.pixel(sx, sy);
      std::uint8_t* to = out.pixel(x, y);
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
  return out;
}

const Image& PictureCache::at(const Image& picture, double scale) {
  const auto key = std::make_pair(&picture, scale);
  auto it = made_.find(key);
  if (it == made_.end()) it = made_.emplace(key, scaler_(picture, scale)).first;
  return it->second;
}

PixelRect scaledRect(const PixelRect& r, double scale) {
  const int x = scaledEdge(r.x, scale);
  const int y = scaledEdge(r.y, scale);
  return {x, y, scaledEdge(r.x + r.w, scale) - x, scaledEdge(r.y + r.h, scale) - y};
}

Font ScaledCanvas::scaledFont(const Font& font) const {
  Font scaled = font;
  scaled.points = static_cast<float>(font.points * scale_);
  return scaled;
}

void ScaledCanvas::pushClip(const PixelRect& r) {
  target_.pushClip(toDevice(r));
}

void ScaledCanvas::popClip() {
  target_.popClip();
}

void ScaledCanvas::fillRect(const PixelRect& r, Rgb colour) {
  target_.fillRect(toDevice(r), colour);
}

void ScaledCanvas::drawText(const PixelRect& box, std::string_view utf8, const Font& font,
                            Rgb colour, HAlign align) {
  target_.drawText(toDevice(box), utf8, scaledFont(font), colour, align);
}

int ScaledCanvas::textWidth(std::string_view utf8, const Font& font) {
  return static_cast<int>(std::ceil(target_.textWidth(utf8, scaledFont(font)) / scale_));
}

void ScaledCanvas::drawImage(int x, int y, const Image& image) {
  target_.drawImage(scaledEdge(x, scale_), scaledEdge(y, scale_), pictures_.at(image, scale_));
}

void ScaledCanvas::drawFocusRect(const PixelRect& r) {
  target_.drawFocusRect(toDevice(r));
}

}  // namespace toolkit
