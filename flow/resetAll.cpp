// A new game: clearing every card and asking for the players again.
#include "game/numbers.h"
#include "ui/frmQuintoz.h"

// Raised by a click on the new-game button.
void frmQuintoz::cmdNewGame_Click() {
  const auto answer = host.messageBox(tr("Start New Game?"), tr("New Game"),
                                      toolkit::MessageButtons::YesNo, toolkit::MessageAnswer::Yes);
  if (answer == toolkit::MessageAnswer::Yes) resetAll();
}

// Called by the new-game button and, once the finished game has unwound, after "Play Again?".
// Clears all four seats, hands the turn on once (clearing the dice) and runs the start-up.
void frmQuintoz::resetAll() {
  rollCount = 0;
  currentPlayer = 1;
  std::array<CheckBoxes*, 13> categories{
      &chk1s,    &chk2s,        &chk3s,     &chk4s,    &chk5s,    &chk6s,     &chk3Kind,
      &chk4Kind, &chkFullHouse, &chkChance, &chkLarge, &chkSmall, &chkQuintoz};
  for (std::int16_t p = 1; p <= 4; ++p) {
    // Marks first: unchecking a box raises its handler, which must find the mark cleared.
    for (CheckBoxes* boxes : categories) (*boxes)[p].Tag = numberToText(0);
    for (CheckBoxes* boxes : categories) (*boxes)[p].Caption.clear();
    chkBonus[p].Caption.clear();
    for (CheckBoxes* boxes : categories) (*boxes)[p].setValue(0);
    chkBonus[p].setValue(0);
    txtSubTotal[p].Text.clear();
    txtTotal[p].Text.clear();
  }
  cmdRoll.Caption = " ";
  host.repaint();
  SwitchPlayer();
  cmdRoll.Caption = " ";
  Form_Load();
}

void frmQuintoz::startPendingNewGame() {
  if (!newGamePending) return;
  newGamePending = false;
  resetAll();
}
