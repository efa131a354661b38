#include "hosts/web/game_page.h"

#include <cstdint>

#include "hosts/web/page_bridge.h"
#include "hosts/web/real_text.h"

namespace webhost {

GamePage::GamePage(frmQuintoz& game, WebHost& host)
    : game_(game), core_(game.form, *this, 1.0), host_(host) {
  for (const toolkit::Control* c : game_.form.controls())
    freshPlaces_.emplace_back(c->Left, c->Top);
}

void GamePage::show() {
  if (shown_) return;
  shown_ = true;
  for (int shape = 0; shape < windowcore::kBoardShapes; ++shape) {
    const windowcore::BoardArrangement& board = windowcore::boardArrangement(shape);
    qz_board_shape(shape, board.width, board.height);
  }
  const toolkit::PixelRect layout = game_.form.pixelRect();
  qz_show_window(layout.w, layout.h);
  rescale();
  refresh();
}

void GamePage::rescale() {
  const int shape = core_.shape();
  core_.arrange(qz_board_choice());
  // The mirror's elements stand where the controls now are.
  if (core_.shape() != shape) mirror_.relayout();
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
  if (!shown_) return;
  core_.refresh();
  paintNow();
}

void GamePage::paintNow() {
  if (!shown_ || !dirty_) return;
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

void GamePage::markPainted(std::uint64_t fingerprint) {
  const std::string text = windowcore::fingerprintText(fingerprint);
  qz_mark_painted(text.data(), static_cast<int>(text.size()));
}

std::string GamePage::focusPath() const {
  const toolkit::Control* f = game_.form.focused();
  return f == nullptr ? std::string() : f->path();
}

void GamePage::save() {
  GameRecord& record = host_.record();
  if (host_.replaying() || !record.started()) return;
  if (!record.writable()) {
    // Nothing a replay would bring back exactly is kept.
    if (!saved_.empty()) qz_forget_game();
    saved_.clear();
    return;
  }
  std::string text = record.text(focusPath());
  if (text == saved_) return;
  saved_ = std::move(text);
  qz_save_game(saved_.data(), static_cast<int>(saved_.size()));
}

void GamePage::beginInput(const std::string& line, const toolkit::Control* focusTo) {
  host_.record().begin(line, focusTo == nullptr ? std::string() : focusTo->path());
}

void GamePage::endInput() {
  GameRecord& record = host_.record();
  // A new game after a reset starts from a window that was played in: the dice lie where the
  // last turn change threw them, and where the next roll's dice may land depends on that.
  if (record.end(focusPath())) {
    const auto& controls = game_.form.controls();
    for (std::size_t i = 0; i < controls.size() && i < freshPlaces_.size(); ++i) {
      const toolkit::Control& c = *controls[i];
      if (c.Left != freshPlaces_[i].first) {
        record.append("set " + c.path() + ".Left " + realText(c.Left));
      }
      if (c.Top != freshPlaces_[i].second) {
        record.append("set " + c.path() + ".Top " + realText(c.Top));
      }
    }
  }
  save();
}

void GamePage::start() {
  beginInput("start", nullptr);
  game_.form.load();
  endInput();
}

void GamePage::dispatch(const PageEvent& event) {
  const auto button = static_cast<std::int16_t>(event.button);
  const auto key = static_cast<std::int16_t>(event.key);
  const auto shift = static_cast<std::int16_t>(event.shift);
  const toolkit::Control* focusTo = nullptr;
  const auto [x, y] = core_.formPoint(event.x, event.y);
  const std::string line = lines_.lineFor(game_.form, mirror_.tree(), event, x, y, focusTo);
  beginInput(line, focusTo);
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
    case EventKind::LongPress:
      core_.longPress(event.x, event.y);
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
  endInput();
  refresh();
}

void GamePage::act(const script::ScriptLine& line, const toolkit::Control* control,
                   const std::function<void()>& input) {
  using script::Command;
  const bool focuses =
      line.command == Command::Key || (line.command == Command::Click && control->canTakeFocus());
  beginInput(writtenLine(line), focuses ? control : nullptr);
  input();
  endInput();
}

void GamePage::stop(script::Refusal /*kind*/, const std::string& why) {
  host_.failReplay(why);
}

void GamePage::resume(const std::string& saved) {
  const ReplayScript script = parseReplay(saved);
  if (!script.error.empty()) host_.failReplay(script.error);
  std::size_t last = 0;
  for (std::size_t i = 0; i < script.steps.size(); ++i) {
    if (script.steps[i].acts()) last = i;
  }
  host_.beginReplay();
  for (std::size_t i = 0; i < script.steps.size(); ++i) {
    if (i == last) host_.lastInput();
    host_.replayingLine(script.steps[i].number);
    executor_.run(script.steps[i]);
  }
  host_.replayingLine(0);
  host_.endReplay();
  // Kept again at once: the replay wrote the same game down, perhaps with more of its last
  // input (the draws of a turn change that was waiting).
  save();
}

}  // namespace webhost
