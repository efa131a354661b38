// The end of a game: the winner, if one seat is strictly ahead of all others, then a new game
// or the end of the program.
#include <cmath>

#include "game/numbers.h"
#include "ui/frmQuintoz.h"

// Called only by SumScore, when the last seat has filled its card. Shows the messages; on Yes
// asks for the new game to start once the finished game's handlers have unwound.
void frmQuintoz::WiN() {
  const std::int16_t n = playerCount;
  for (std::int16_t i = 1; i <= n; ++i) {
    const double mine = textToNumber(txtTotal[i].Text);
    bool winner = true;
    // Seats without a player count too: their empty totals read as 0.
    for (std::int16_t k = 1; k <= 4; ++k) {
      if (k != i && !(mine > textToNumber(txtTotal[k].Text))) winner = false;
    }
    if (!winner) continue;
    const std::string points = std::to_string(roundHalfEven(mine));
    host.messageBox(
        "Congratulations " + playerNames[i] + "\rYou are the Winner with " + points + " Points",
        "Game Over", toolkit::MessageButtons::Ok, toolkit::MessageAnswer::Ok);
  }
  const auto answer = host.messageBox("Play Again?", "New Game", toolkit::MessageButtons::YesNo,
                                      toolkit::MessageAnswer::Yes);
  if (answer != toolkit::MessageAnswer::Yes) host.endProgram();
  newGamePending = true;
}
