#pragma once

#include <cstdint>
#include <optional>

namespace fltkhost {

// Called by the window for every key event: the game's key code for an FLTK key (Space, Tab,
// letters as capitals, digits from either row), or nothing for keys the game never sees.
std::optional<std::int16_t> gameKeyCode(int fltkKey);

// Called by the window for a press or release: FLTK numbers the buttons 1 left, 2 middle,
// 3 right; the game's mask is 1 left, 2 right, 4 middle. 0 for any other button.
std::int16_t gameButton(int fltkButton);

// Called by the window for every mouse move: the game's mask of the buttons held, from FLTK's
// event state.
std::int16_t gameButtonMask(int fltkState);

// Called by the window for key events: the game's shift mask (1 Shift, 2 Ctrl, 4 Alt).
std::int16_t gameShiftMask(int fltkState);

}  // namespace fltkhost
