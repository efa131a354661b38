// Choosing a category: the click handlers of the score boxes.
#include "game/numbers.h"
#include "ui/frmQuintoz.h"

// Shared by the thirteen category handlers. Runs after the click (or a code write) has changed
// the box's Value; decides from rollCount and the clicked box's commit mark alone.
void frmQuintoz::commitCategory(CheckBoxes& boxes, std::int16_t index) {
  const bool committed = textToNumber(boxes[index].Tag) != 0;
  if (rollCount < 1) {
    // No roll yet this turn: undo the click, whatever it was.
    boxes[currentPlayer].setValue(committed ? 1 : 0);
    return;
  }
  boxes[currentPlayer].setValue(1);
  // Read again: the write above may have run this handler for the same box already.
  if (textToNumber(boxes[index].Tag) == 0) SwitchPlayer();
  // The mark is written after the turn change, also when it already read "1".
  boxes[index].Tag = numberToText(1);
}

void frmQuintoz::chk1s_Click(std::int16_t index) {
  commitCategory(chk1s, index);
}
void frmQuintoz::chk2s_Click(std::int16_t index) {
  commitCategory(chk2s, index);
}
void frmQuintoz::chk3s_Click(std::int16_t index) {
  commitCategory(chk3s, index);
}
void frmQuintoz::chk4s_Click(std::int16_t index) {
  commitCategory(chk4s, index);
}
void frmQuintoz::chk5s_Click(std::int16_t index) {
  commitCategory(chk5s, index);
}
void frmQuintoz::chk6s_Click(std::int16_t index) {
  commitCategory(chk6s, index);
}
void frmQuintoz::chk3Kind_Click(std::int16_t index) {
  commitCategory(chk3Kind, index);
}
void frmQuintoz::chk4Kind_Click(std::int16_t index) {
  commitCategory(chk4Kind, index);
}
void frmQuintoz::chkFullHouse_Click(std::int16_t index) {
  commitCategory(chkFullHouse, index);
}
void frmQuintoz::chkSmall_Click(std::int16_t index) {
  commitCategory(chkSmall, index);
}
void frmQuintoz::chkLarge_Click(std::int16_t index) {
  commitCategory(chkLarge, index);
}
void frmQuintoz::chkChance_Click(std::int16_t index) {
  commitCategory(chkChance, index);
}
void frmQuintoz::chkQuintoz_Click(std::int16_t index) {
  commitCategory(chkQuintoz, index);
}

// The bonus box is never chosen: whatever the click did, it goes back to what the current
// player's sub-total says.
void frmQuintoz::chkBonus_Click(std::int16_t /*index*/) {
  chkBonus[currentPlayer].setValue(textToNumber(txtSubTotal[currentPlayer].Text) > 62 ? 1 : 0);
}
