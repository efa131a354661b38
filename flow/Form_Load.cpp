// Start-up: the number of players, their names, and player 1's first turn.
#include "game/numbers.h"
#include "game/text.h"
#include "ui/frmQuintoz.h"

// Raised once before the window is first shown, and called again by every reset. Writes
// currentPlayer, playerCount and playerNames; leaves rollCount and the dice alone.
void frmQuintoz::Form_Load() {
  host.randomize();
  currentPlayer = 1;
  playerCount = 2;
  const std::string answer =
      host.inputBox("How many Players?\r(1 to 4)", "Number of Players", numberToText(2));
  // Read in a wider type and clamped there, so that no answer can overflow the count.
  playerCount = playerCountFromAnswer(answer);
  for (std::int16_t i = 1; i <= playerCount; ++i) {
    playerNames[i] = host.inputBox("Player " + numberToText(i) + "\rEnter Your Name", "Player Name",
                                   "Player" + numberToText(i));
  }
  cmdRoll.Caption = firstCharacters(playerNames[currentPlayer], 10) + " roll! [3 rolls left]";
  fraPlayer[currentPlayer].Caption = playerNames[currentPlayer];
  fraPlayer[currentPlayer].bringToFront();
  dieCheck();
}
