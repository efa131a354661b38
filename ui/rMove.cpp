// Throwing one die to a random free place in the lower part of the roll tray.
#include <cmath>

#include "ui/frmQuintoz.h"

namespace {

constexpr double kClearance = 30.0;

// True when the two dice lack a 30-twip gap both side by side and one above the other.
bool tooClose(const toolkit::Control& a, const toolkit::Control& b) {
  return a.Top + a.Height + kClearance > b.Top && b.Top + b.Height + kClearance > a.Top &&
         a.Left + a.Width + kClearance > b.Left && b.Left + b.Width + kClearance > a.Left;
}

}  // namespace

// Called by roll for each die it rolls, by the die handlers for a released die, and by the turn
// change for every die. Changes only die index's position and visibility; draws exactly two
// random values per attempt (Left first) and tries until the place is free.
void frmQuintoz::rMove(std::int16_t index) {
  toolkit::CheckBox& die = chkDie[index];
  die.Visible = false;
  for (;;) {
    // Each draw is rounded to single precision, and each coordinate is stored into the die
    // before the next is drawn, so the test reads the positions exactly as the control holds.
    const auto r1 = static_cast<float>(host.random(toolkit::RandomUse::Other));
    die.Left = static_cast<float>(
        std::floor((static_cast<double>(fraRoll.Width) - 2.5 * die.Width) * r1) + die.Width);
    const auto r2 = static_cast<float>(host.random(toolkit::RandomUse::Other));
    die.Top = static_cast<float>(
        std::floor((static_cast<double>(fraRoll.Height) - 2.8 * die.Height) * r2) +
        1.5 * die.Height);
    bool free = true;
    // Every other die counts where it lies now, shown or hidden, held or not.
    for (std::int16_t j = 1; j <= 5 && free; ++j) {
      if (j != index && tooClose(die, chkDie[j])) free = false;
    }
    if (free) break;
  }
  die.Visible = true;
}
