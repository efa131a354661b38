// The end of a game: the winner, if one seat is strictly ahead of all others, then a new game
// or the end of the program.
#include <cmath>

#include "game/numbers.h"
#include "i18n/format.h"
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
    const auto points = static_cast<long>(roundHalfEven(mine));
    // TRANSLATORS: the winner's name and total; English says "Points" for every total.
    const std::string text =
        i18n::format(trn("Congratulations %s\nYou are the Winner with %d Points",
                         "Congratulations %s\nYou are the Winner with %d Points", points),
                     playerNames[i], points);
    host.messageBox(text, tr("Game Over"), toolkit::MessageButtons::Ok, toolkit::MessageAnswer::Ok);
  }
  const auto answer = host.messageBox(tr("Play Again?"), tr("New Game"),
                                      toolkit::MessageButtons::YesNo, toolkit::MessageAnswer::Yes);
  if (answer != toolkit::MessageAnswer::Yes) host.endProgram();
  newGamePending = true;
}
