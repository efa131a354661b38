#include "hosts/web/game_page.h"

#include <cstdint>

#include "hosts/web/page_bridge.h"
#include "toolkit/painter.h"

namespace webhost {

void GamePage::paint() {
  qz_paint_begin();
  toolkit::paintForm(game_.form, canvas_);
  mirror_.update();  // accessibility
}

void GamePage::updateToolTip(int x, int y) {
  const toolkit::Control* control = game_.form.hitTest(x, y);
  const std::string text = game_.form.toolTipAt(x, y);
  if (control == tipControl_ && text == tipText_) return;
  tipControl_ = control;
  tipText_ = text;
  const toolkit::PixelRect r = text.empty() ? toolkit::PixelRect{} : control->visiblePixelRect();
  qz_tool_tip(text.data(), static_cast<int>(text.size()), r.x, r.y, r.w, r.h);
}

void GamePage::hideToolTip() {
  if (tipControl_ == nullptr && tipText_.empty()) return;
  tipControl_ = nullptr;
  tipText_.clear();
  qz_tool_tip("", 0, 0, 0, 0, 0);
}

void GamePage::dispatch(const PageEvent& event) {
  toolkit::Form& form = game_.form;
  const auto button = static_cast<std::int16_t>(event.button);
  switch (event.kind) {
    case EventKind::PointerDown:
      hideToolTip();
      form.pointerDown(event.x, event.y, button);
      break;
    case EventKind::PointerMove:
      if (button == 0) updateToolTip(event.x, event.y);
      form.pointerMove(event.x, event.y, button);
      // A move runs no handler that changes the picture: it can only start a drag.
      return;
    case EventKind::PointerUp:
      form.pointerUp(event.x, event.y, button);
      break;
    case EventKind::KeyDown:
      form.keyDown(static_cast<std::int16_t>(event.key), static_cast<std::int16_t>(event.shift));
      break;
    case EventKind::KeyUp:
      form.keyUp(static_cast<std::int16_t>(event.key), static_cast<std::int16_t>(event.shift));
      break;
    case EventKind::PointerLeave:
      hideToolTip();
      return;
    case EventKind::Repaint:
      break;
    case EventKind::ClickControl:  // accessibility
      toolkit::doDefaultAction(form, mirror_.tree(), event.key);
      break;
    case EventKind::FocusControl:  // accessibility
      toolkit::focusAccessible(form, mirror_.tree(), event.key);
      break;
  }
  paint();
}

}  // namespace webhost
