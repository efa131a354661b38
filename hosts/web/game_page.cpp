#include "hosts/web/game_page.h"

#include <cstdint>

#include "hosts/web/page_bridge.h"

namespace webhost {

void GamePage::show() {
  const toolkit::PixelRect layout = game_.form.pixelRect();
  qz_show_window(layout.w, layout.h);
  rescale();
  refresh();
}

void GamePage::rescale() {
  core_.setScale(qz_device_scale());
  const toolkit::PixelRect device = core_.deviceRect();
  qz_size_canvas(device.w, device.h);
  if (const toolkit::Image* icon = core_.icon()) {
    qz_window_icon(icon->width, icon->height, icon->rgb.data());
  }
  // A resized backing store is blank.
  dirty_ = true;
}

void GamePage::refresh() {
  core_.refresh();
  if (!dirty_) return;
  dirty_ = false;
  qz_paint_begin();
  core_.paint(canvas_);
  mirror_.update();
}

void GamePage::showToolTip(const std::string& text, const toolkit::PixelRect& area) {
  qz_tool_tip(text.data(), static_cast<int>(text.size()), area.x, area.y, area.w, area.h);
}

void GamePage::forgetPictures() {
  qz_forget_pictures();
}

void GamePage::dispatch(const PageEvent& event) {
  const auto button = static_cast<std::int16_t>(event.button);
  const auto key = static_cast<std::int16_t>(event.key);
  const auto shift = static_cast<std::int16_t>(event.shift);
  switch (event.kind) {
    case EventKind::PointerDown:
      core_.pointerDown(event.x, event.y, button);
      break;
    case EventKind::PointerMove:
      core_.pointerMove(event.x, event.y, button);
      break;
    case EventKind::PointerUp:
      core_.pointerUp(event.x, event.y, button);
      break;
    case EventKind::KeyDown:
      core_.keyDown(key, shift);
      break;
    case EventKind::KeyUp:
      core_.keyUp(key, shift);
      break;
    case EventKind::PointerLeave:
      core_.pointerLeave();
      break;
    case EventKind::Rescale:
      rescale();
      break;
    case EventKind::ClickControl:
      toolkit::doDefaultAction(game_.form, mirror_.tree(), event.key);
      break;
    case EventKind::FocusControl:
      toolkit::focusAccessible(game_.form, mirror_.tree(), event.key);
      break;
  }
  refresh();
}

}  // namespace webhost
