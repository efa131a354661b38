// Start-up: the number of players, their names, and player 1's first turn.
#include "game/numbers.h"
#include "game/text.h"
#include "i18n/format.h"
#include "ui/frmQuintoz.h"

// Raised once before the window is first shown, and called again by every reset. Writes
// currentPlayer, playerCount and playerNames; leaves rollCount and the dice alone.
void frmQuintoz::Form_Load() {
  host.randomize();
  currentPlayer = 1;
  playerCount = 2;
  const std::string answer =
      host.inputBox(tr("How many Players?\n(1 to 4)"), tr("Number of Players"), numberToText(2));
  // Read in a wider type and clamped there, so that no answer can overflow the count.
  playerCount = playerCountFromAnswer(answer);
  for (std::int16_t i = 1; i <= playerCount; ++i) {
    // TRANSLATORS: the name of a player who keeps the default; no space before the number.
    const std::string name = i18n::format(tr("Player%d"), "", i);
    // TRANSLATORS: the name prompt; its first line says which seat is asked.
    const std::string prompt = i18n::format(tr("Player %d\nEnter Your Name"), "", i);
    playerNames[i] = host.inputBox(prompt, tr("Player Name"), name);
  }
  cmdRoll.Caption = rollCaption(3);
  fraPlayer[currentPlayer].Caption = playerNames[currentPlayer];
  fraPlayer[currentPlayer].bringToFront();
  dieCheck();
}
