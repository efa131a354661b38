// Handing the turn to the next player.
#include "game/text.h"
#include "i18n/format.h"
#include "ui/frmQuintoz.h"

// Called by a category commit and by the reset. Totals the finishing player's card, pauses with
// the finishing caption, then brings on the next seat with cleared dice and a fresh preview.
void frmQuintoz::SwitchPlayer() {
  // Once the finished game has asked for a new one, nothing may touch the cards any more.
  if (newGamePending) return;
  SumScore();
  if (newGamePending) return;
  rollCount = 4;
  cmdRoll.Caption =
      i18n::format(tr("%s Finishing Turn"), firstCharacters(playerNames[currentPlayer], 10));
  delay(2.5);
  currentPlayer =
      currentPlayer == playerCount ? std::int16_t{1} : static_cast<std::int16_t>(currentPlayer + 1);
  fraPlayer[currentPlayer].Caption = playerNames[currentPlayer];
  fraPlayer[currentPlayer].bringToFront();
  cmdRoll.Caption = rollCaption(3);
  for (std::int16_t i = 1; i <= 5; ++i) {
    rMove(i);
    chkDie[i].setValue(0);
    chkDie[i].Visible = false;
    diceValues[i] = 0;
  }
  dieCheck();
  rollCount = 0;
}
