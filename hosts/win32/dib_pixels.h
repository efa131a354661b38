#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/image.h"

// The pixel layout GDI takes for a 24-bit device-independent bitmap, kept apart from the GDI
// calls so that the native tests can check the conversion.
namespace win32 {

// Bytes per row of a 24-bit bitmap: rows start on four-byte boundaries.
constexpr int dibStride(int width) {
  return (width * 3 + 3) & ~3;
}

// Called by the canvas once per picture. Returns the picture's rows top to bottom (to be drawn
// with a negative height), blue-green-red, each padded with zeros to dibStride. Changes nothing.
std::vector<std::uint8_t> toDibRows(const toolkit::Image& image);

}  // namespace win32
