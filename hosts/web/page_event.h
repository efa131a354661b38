#pragma once

#include <cstdint>

namespace webhost {

// One input event as the page queues it for the game, in the game window's pixels.
enum class EventKind : std::int32_t {
  PointerDown = 1,  // button: 1 left, 2 right, 4 middle
  PointerMove = 2,  // button: the mask of the buttons held
  PointerUp = 3,
  KeyDown = 4,  // key: the game's key code; shift: 1 Shift, 2 Ctrl, 4 Alt
  KeyUp = 5,
  PointerLeave = 6,  // the pointer left the window: no tool tip
  Repaint = 7,       // the window must be drawn again (its scale changed)
  // Accessibility (mirror.js): key holds the id of a node of the accessibility tree.
  ClickControl = 8,  // an assistive technology clicked the control
  FocusControl = 9,  // an assistive technology moved the focus to the control
};

struct PageEvent {
  EventKind kind = EventKind::Repaint;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t button = 0;
  std::int32_t key = 0;
  std::int32_t shift = 0;
};

// The number of integers the page writes per event: kind, x, y, button, key, shift.
inline constexpr int kEventFields = 6;

}  // namespace webhost
