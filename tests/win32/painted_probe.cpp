// Reads, from another process, what the game window under Wine last painted: the fingerprint of
// the form that the window keeps in a property of its own (hosts/win32/painted_property.h).
// Prints its sixteen hexadecimal digits, or "none" when the window has painted nothing yet, and
// exits 0; prints "no window" and exits 1 while no game window exists.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "hosts/win32/painted_property.h"

int main() {
  // The game window's class, as hosts/win32/game_window.cpp registers it.
  const HWND window = FindWindowW(L"QuintozWindow", nullptr);
  if (window == nullptr) {
    std::puts("no window");
    return 1;
  }
  const auto value = reinterpret_cast<std::uintptr_t>(GetPropW(window, win32::kPaintedProperty));
  if (value == 0) {
    std::puts("none");
  } else {
    std::printf("%016llx\n", static_cast<unsigned long long>(value));
  }
  return 0;
}
