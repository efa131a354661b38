#include "ui/pictures.h"

#include <memory>
#include <string>

#include "assets/decode.h"

namespace {

toolkit::PictureRef decoded(std::string name, assets::AssetId id) {
  return {std::move(name), std::make_shared<const toolkit::Image>(assets::decodePicture(id))};
}

WindowPictures decodeAll() {
  using assets::AssetId;
  const AssetId faceIds[] = {AssetId::Face1, AssetId::Face2, AssetId::Face3,
                             AssetId::Face4, AssetId::Face5, AssetId::Face6};
  const AssetId designIds[] = {AssetId::Design1, AssetId::Design2, AssetId::Design3,
                               AssetId::Design4, AssetId::Design5};
  WindowPictures p;
  for (int f = 1; f <= 6; ++f) p.faces[f] = decoded("face" + std::to_string(f), faceIds[f - 1]);
  for (int d = 1; d <= 5; ++d) {
    p.designs[d] = decoded("design" + std::to_string(d), designIds[d - 1]);
  }
  p.tray = decoded("tray", AssetId::Tray);
  p.icon = decoded("icon", AssetId::Icon);
  return p;
}

}  // namespace

const WindowPictures& windowPictures() {
  static const WindowPictures pictures = decodeAll();
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
