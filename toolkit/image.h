#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace toolkit {

// A decoded picture: 24-bit RGB pixels, rows top to bottom, no padding.
// The asset decoders produce it and the painters hand it to a front end's canvas.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3 bytes

  std::uint8_t* pixel(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
  const std::uint8_t* pixel(int x, int y) const {
    return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
  }
};

// The value of a control's Picture property. The name identifies the picture in scripts and
// dumps ("face3", "tray"); the image is shared, because assigning a picture copies a reference,
// never the pixels.
struct PictureRef {
  std::string name;
  std::shared_ptr<const Image> image;

  bool empty() const { return image == nullptr; }
  friend bool operator==(const PictureRef& a, const PictureRef& b) {
    return a.name == b.name && a.image == b.image;
  }
};

}  // namespace toolkit
