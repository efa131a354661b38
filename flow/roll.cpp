// Rolling the dice and holding them between rolls.
#include "game/numbers.h"
#include "game/text.h"
#include "i18n/format.h"
#include "ui/frmQuintoz.h"

// Raised by a click on the roll button.
void frmQuintoz::cmdRoll_Click() {
  if (rollCount >= 4) return;
  roll();
}

// Called only by cmdRoll_Click. Rolls every die that is not held, previews the card and tells
// the rolls left; a fourth call in a turn only refreshes the totals and raises rollCount to 4.
void frmQuintoz::roll() {
  SumScore();
  ++rollCount;
  if (rollCount > 3) return;
  sound();
  for (std::int16_t i = 1; i <= 5; ++i) {
    toolkit::CheckBox& die = chkDie[i];
    if (die.value() != 0) continue;  // a held die keeps face, picture, tool tip and place
    diceValues[i] = randomDie();
    die.ToolTipText = numberToText(diceValues[i]);
    die.Picture = imDie[diceValues[i]].Picture;
    rMove(i);
    die.Visible = true;
  }
  dieCheck();
  // Only the first two rolls leave any: a count set outside 1..3 reads as the last roll.
  if (rollCount == 1 || rollCount == 2) {
    cmdRoll.Caption = rollCaption(static_cast<std::int16_t>(3 - rollCount));
  } else {
    cmdRoll.Caption = i18n::format(tr("%s Select Score to Finish Turn"),
                                   firstCharacters(playerNames[currentPlayer], 10));
  }
}

std::string frmQuintoz::rollCaption(std::int16_t rollsLeft) const {
  // TRANSLATORS: the roll button: the player's name (at most 10 characters) and the rolls
  // left this turn, 1 to 3; the brackets are read aloud without them.
  return i18n::format(trn("%s roll! [%d roll left]", "%s roll! [%d rolls left]", rollsLeft),
                      firstCharacters(playerNames[currentPlayer], 10), rollsLeft);
}

// Called only by roll: a fair face, 1..6.
std::int16_t frmQuintoz::randomDie() {
  const double r = host.random(toolkit::RandomUse::Face);
  // Guard the top end in case a generator ever returns 1.0 exactly.
  const auto face = static_cast<std::int16_t>(static_cast<int>(r * 6.0) + 1);
  return face > 6 ? std::int16_t{6} : face;
}

namespace {

// A held die's place: its own slot in the row along the top of the tray.
void putInHeldRow(toolkit::CheckBox& die, std::int16_t index, float top) {
  die.Top = top;
  die.Left = static_cast<float>(index) * 720.0f;
}

}  // namespace

// Raised on every mouse release on a die, after a left click has flipped it: a held die goes to
// its place in the held row, a released one is scattered back into the tray.
void frmQuintoz::chkDie_MouseUp(std::int16_t index, std::int16_t /*button*/, std::int16_t /*shift*/,
                                float /*x*/, float /*y*/) {
  toolkit::CheckBox& die = chkDie[index];
  if (die.value() == 1) {
    putInHeldRow(die, index, 120);
  } else {
    rMove(index);
  }
}

// Raised on a key release on a die, before Space flips it. Only Space changes the hold, so only
// Space moves the die; any other key must not leave a die in the held row unheld.
void frmQuintoz::chkDie_KeyUp(std::int16_t index, std::int16_t keyCode, std::int16_t /*shift*/) {
  if (keyCode != toolkit::kKeySpace) return;
  toolkit::CheckBox& die = chkDie[index];
  if (die.value() == 0) {
    putInHeldRow(die, index, 180);
  } else {
    rMove(index);
  }
}
