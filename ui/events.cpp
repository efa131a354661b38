// Connects each control's events to the window's handlers.
#include "ui/card.h"
#include "ui/frmQuintoz.h"

void frmQuintoz::bindEvents() {
  form.Load = [this] { Form_Load(); };
  form.MouseMove = [this](std::int16_t b, std::int16_t s, float x, float y) {
    Form_MouseMove(b, s, x, y);
  };
  form.AfterEvent = [this] { startPendingNewGame(); };
  cmdRoll.Click = [this] { cmdRoll_Click(); };
  cmdNewGame.Click = [this] { cmdNewGame_Click(); };
  cmdExit.Click = [this] { cmdExit_Click(); };
  for (std::int16_t i = 1; i <= 5; ++i) {
    chkDie[i].MouseUp = [this, i](std::int16_t b, std::int16_t s, float x, float y) {
      chkDie_MouseUp(i, b, s, x, y);
    };
    chkDie[i].KeyUp = [this, i](std::int16_t k, std::int16_t s) { chkDie_KeyUp(i, k, s); };
  }
  for (const CardRow& row : kCard) {
    if (row.box == nullptr) continue;
    for (std::int16_t n = 0; n <= 4; ++n) {
      (this->*row.box)[n].Click = [this, click = row.click, n] { (this->*click)(n); };
    }
  }
}
