#pragma once

#include <windows.h>

namespace win32 {

// The game window's property that holds the fingerprint of the form it last painted (its
// 64 bits as the property's handle value), for a program outside to read with GetPropW: the
// tests compare it with the headless driver's fingerprint at the same point of a game.
inline constexpr wchar_t kPaintedProperty[] = L"QuintozPainted";

}  // namespace win32
