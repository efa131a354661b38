// The current player's sub-total, upper bonus and total, and the end-of-game test.
#include "game/numbers.h"
#include "ui/frmQuintoz.h"

namespace {

// Adds a checked box's caption to the running total, as floating point rounded back to a whole
// number, and counts the box as filled.
void addIfChecked(const toolkit::CheckBox& box, std::int16_t& runningTotal,
                  std::int16_t& filledCount) {
  if (box.value() != 1) return;
  runningTotal = toWholeNumber(static_cast<double>(runningTotal) + textToNumber(box.Caption));
  ++filledCount;
}

}  // namespace

// Called at the start of every roll and of every turn change. Writes the current player's
// totals and bonus box; may end the game through WiN.
void frmQuintoz::SumScore() {
  const std::int16_t p = currentPlayer;
  std::int16_t runningTotal = 0;
  std::int16_t filledCount = 0;
  for (CheckBoxes* upper : {&chk1s, &chk2s, &chk3s, &chk4s, &chk5s, &chk6s}) {
    addIfChecked((*upper)[p], runningTotal, filledCount);
  }
  txtSubTotal[p].Text = numberToText(runningTotal);
  if (runningTotal < 63) {
    chkBonus[p].setValue(0);
    chkBonus[p].Caption = "0";
  } else {
    chkBonus[p].setValue(1);
    chkBonus[p].Caption = "35";
    runningTotal = toWholeNumber(static_cast<double>(runningTotal) + 35.0);
  }
  for (CheckBoxes* lower :
       {&chkQuintoz, &chkLarge, &chk4Kind, &chkSmall, &chkFullHouse, &chk3Kind, &chkChance}) {
    addIfChecked((*lower)[p], runningTotal, filledCount);
  }
  txtTotal[p].Text = numberToText(runningTotal);
  // Seats fill their cards in turn order, so the last seat's thirteenth box ends the game.
  if (filledCount >= 13 && currentPlayer == playerCount) WiN();
}
