#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace webhost {

// One input event as the page queues it for the game. Positions are in the canvas's device
// pixels (its backing store), which the window core turns into layout pixels.
enum class EventKind : std::int32_t {
  PointerDown = 1,  // button: 1 left, 2 right, 4 middle
  PointerMove = 2,  // button: the mask of the buttons held
  PointerUp = 3,
  KeyDown = 4,  // key: the game's key code; shift: 1 Shift, 2 Ctrl, 4 Alt
  KeyUp = 5,
  PointerLeave = 6,  // the pointer left the window: no tool tip
  Rescale = 7,       // the page's width or the screen's density changed: ask for the scale
  // key holds the id of a node of the accessibility tree (see mirror.js).
  ClickControl = 8,  // an assistive technology clicked the control
  FocusControl = 9,  // an assistive technology moved the focus to the control
  LongPress = 10,    // a finger held still on the board: the tool tip under it
};

// The kinds by name, as main hands them to the page, which queues events by these names and
// so never keeps numbers of its own.
inline constexpr std::array<std::pair<std::string_view, EventKind>, 10> kEventKinds{{
    {"PointerDown", EventKind::PointerDown},
    {"PointerMove", EventKind::PointerMove},
    {"PointerUp", EventKind::PointerUp},
    {"KeyDown", EventKind::KeyDown},
    {"KeyUp", EventKind::KeyUp},
    {"PointerLeave", EventKind::PointerLeave},
    {"Rescale", EventKind::Rescale},
    {"ClickControl", EventKind::ClickControl},
    {"FocusControl", EventKind::FocusControl},
    {"LongPress", EventKind::LongPress},
}};

struct PageEvent {
  EventKind kind = EventKind::Rescale;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t button = 0;
  std::int32_t key = 0;
  std::int32_t shift = 0;
};

// The number of integers the page writes per event: kind, x, y, button, key, shift.
inline constexpr int kEventFields = 6;

}  // namespace webhost
