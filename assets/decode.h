#pragma once

#include "embedded_assets.h"
#include "toolkit/image.h"

namespace assets {

// Decodes an embedded picture (BMP, GIF or ICO) from memory into 24-bit RGB. Throws
// std::runtime_error if the asset is not a picture this decoder reads (the sound, for one).
toolkit::Image decodePicture(AssetId id);

}  // namespace assets
