// The scoring rules: what the dice on show would score in each open category of the current
// player's card, written as that box's caption.
#include <array>

#include "game/numbers.h"
#include "ui/frmQuintoz.h"

namespace {

// Writes the score into an open box; a checked box keeps the score it was committed with.
void preview(toolkit::CheckBox& box, int score) {
  if (box.value() == 0) box.Caption = numberToText(static_cast<std::int16_t>(score));
}

}  // namespace

// Called after each roll, at each turn change and by the start-up. Changes only the captions of
// the current player's open boxes and that player's bonus box.
void frmQuintoz::dieCheck() {
  std::array<std::int16_t, 7> faceCounts{};  // faces 1..6
  std::array<std::int16_t, 7> kindCounts{};  // dice 1..6 showing the same face
  // Outside rolls 1..3 the dice are not a roll (they are zeroed at each turn change), so they
  // must not be counted, or used as indices.
  if (rollCount >= 1 && rollCount <= 3) {
    for (int d = 1; d <= 5; ++d) {
      const std::int16_t face = diceValues[d];
      if (face >= 1 && face <= 6) ++faceCounts[face];
    }
    for (int k = 1; k <= 5; ++k) {
      for (int f = 1; f <= 6; ++f) {
        if (faceCounts[f] == k) ++kindCounts[k];
      }
    }
  }
  int diceSum = 0;
  for (int f = 1; f <= 6; ++f) diceSum += f * faceCounts[f];

  const std::int16_t p = currentPlayer;
  const bool fiveOfAKind = kindCounts[5] == 1;
  const bool fourOfAKind = fiveOfAKind || kindCounts[4] == 1;
  const bool threeOfAKind = fourOfAKind || kindCounts[3] == 1;
  auto shows = [&](int face) { return faceCounts[face] > 0; };

  preview(chkQuintoz[p], fiveOfAKind ? 50 : 0);
  preview(chkLarge[p], kindCounts[1] == 5 && (!shows(6) || !shows(1)) ? 40 : 0);
  preview(chk4Kind[p], fourOfAKind ? diceSum : 0);
  const bool smallStraight =
      shows(3) && shows(4) &&
      ((shows(1) && shows(2)) || (shows(2) && shows(5)) || (shows(5) && shows(6)));
  preview(chkSmall[p], smallStraight ? 30 : 0);
  preview(chkFullHouse[p], kindCounts[3] == 1 && kindCounts[2] == 1 ? 25 : 0);
  preview(chk3Kind[p], threeOfAKind ? diceSum : 0);

  // The bonus box always mirrors the sub-total last written by the totals.
  const bool bonus = textToNumber(txtSubTotal[p].Text) > 62;
  chkBonus[p].setValue(bonus ? 1 : 0);
  chkBonus[p].Caption = bonus ? "35" : "0";

  preview(chkChance[p], diceSum);
  preview(chk1s[p], 1 * faceCounts[1]);
  preview(chk2s[p], 2 * faceCounts[2]);
  preview(chk3s[p], 3 * faceCounts[3]);
  preview(chk4s[p], 4 * faceCounts[4]);
  preview(chk5s[p], 5 * faceCounts[5]);
  preview(chk6s[p], 6 * faceCounts[6]);
}
