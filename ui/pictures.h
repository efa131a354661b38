#pragma once

#include <array>
#include <string_view>

#include "toolkit/image.h"

// The pictures the window carries, decoded once from the data built into the program.
struct WindowPictures {
  std::array<toolkit::PictureRef, 7> faces;    // 1..6, element 0 unused
  std::array<toolkit::PictureRef, 6> designs;  // 1..5, element 0 unused
  toolkit::PictureRef tray;
  toolkit::PictureRef icon;
};

// Called by the window's constructor. The result never changes, so every window shares it.
const WindowPictures& windowPictures();

// The picture with that name ("face3", "design1", "tray", "icon"), or nullptr.
const toolkit::PictureRef* findPicture(std::string_view name);
