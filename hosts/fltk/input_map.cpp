#include "hosts/fltk/input_map.h"

#include <FL/Enumerations.H>

namespace fltkhost {

std::optional<std::int16_t> gameKeyCode(int key) {
  if (key == ' ') return std::int16_t{32};
  if (key == FL_Tab) return std::int16_t{9};
  if (key >= 'a' && key <= 'z') return static_cast<std::int16_t>(key - 'a' + 'A');
  if (key >= '0' && key <= '9') return static_cast<std::int16_t>(key);
  if (key >= FL_KP + '0' && key <= FL_KP + '9') return static_cast<std::int16_t>(key - FL_KP);
  return std::nullopt;
}

std::int16_t gameButton(int fltkButton) {
  switch (fltkButton) {
    case FL_LEFT_MOUSE:
      return 1;
    case FL_RIGHT_MOUSE:
      return 2;
    case FL_MIDDLE_MOUSE:
      return 4;
    default:
      return 0;
  }
}

std::int16_t gameButtonMask(int state) {
  std::int16_t mask = 0;
  if (state & FL_BUTTON1) mask |= 1;
  if (state & FL_BUTTON3) mask |= 2;
  if (state & FL_BUTTON2) mask |= 4;
  return mask;
}

std::int16_t gameShiftMask(int state) {
  std::int16_t mask = 0;
  if (state & FL_SHIFT) mask |= 1;
  if (state & FL_CTRL) mask |= 2;
  if (state & FL_ALT) mask |= 4;
  return mask;
}

}  // namespace fltkhost
