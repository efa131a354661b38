// Connects each control's events to the window's handlers.
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
  using Handler = void (frmQuintoz::*)(std::int16_t);
  const std::pair<CheckBoxes frmQuintoz::*, Handler> handlers[] = {
      {&frmQuintoz::chk1s, &frmQuintoz::chk1s_Click},
      {&frmQuintoz::chk2s, &frmQuintoz::chk2s_Click},
      {&frmQuintoz::chk3s, &frmQuintoz::chk3s_Click},
      {&frmQuintoz::chk4s, &frmQuintoz::chk4s_Click},
      {&frmQuintoz::chk5s, &frmQuintoz::chk5s_Click},
      {&frmQuintoz::chk6s, &frmQuintoz::chk6s_Click},
      {&frmQuintoz::chk3Kind, &frmQuintoz::chk3Kind_Click},
      {&frmQuintoz::chk4Kind, &frmQuintoz::chk4Kind_Click},
      {&frmQuintoz::chkFullHouse, &frmQuintoz::chkFullHouse_Click},
      {&frmQuintoz::chkSmall, &frmQuintoz::chkSmall_Click},
      {&frmQuintoz::chkLarge, &frmQuintoz::chkLarge_Click},
      {&frmQuintoz::chkChance, &frmQuintoz::chkChance_Click},
      {&frmQuintoz::chkQuintoz, &frmQuintoz::chkQuintoz_Click},
      {&frmQuintoz::chkBonus, &frmQuintoz::chkBonus_Click},
  };
  for (const auto& [array, handler] : handlers) {
    for (std::int16_t n = 0; n <= 4; ++n) {
      (this->*array)[n].Click = [this, handler = handler, n] { (this->*handler)(n); };
    }
  }
}
