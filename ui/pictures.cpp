#include "ui/pictures.h"

#include <string>

namespace {

WindowPictures namedPictures() {
  WindowPictures p;
  for (int f = 1; f <= 6; ++f) p.faces[f] = {"face" + std::to_string(f), nullptr};
  for (int d = 1; d <= 5; ++d) p.designs[d] = {"design" + std::to_string(d), nullptr};
  p.tray = {"tray", nullptr};
  p.icon = {"icon", nullptr};
  return p;
}

}  // namespace

const WindowPictures& windowPictures() {
  static const WindowPictures pictures = namedPictures();
  return pictures;
}

const toolkit::PictureRef* findPicture(std::string_view name) {
  const WindowPictures& p = windowPictures();
  for (const auto& picture : p.faces) {
    if (!picture.name.empty() && picture.name == name) return &picture;
  }
  for (const auto& picture : p.designs) {
    if (!picture.name.empty() && picture.name == name) return &picture;
  }
  if (name == p.tray.name) return &p.tray;
  if (name == p.icon.name) return &p.icon;
  return nullptr;
}
