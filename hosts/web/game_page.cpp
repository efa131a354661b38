#include "hosts/web/game_page.h"

#include <array>
#include <cstdint>

#include "hosts/script/real_chars.h"
#include "hosts/web/page_bridge.h"

namespace webhost {

namespace {

std::string keyWord(std::int16_t key) {
  return key == toolkit::kKeySpace ? std::string("space") : std::string(1, static_cast<char>(key));
}

std::string realText(double value) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = script::formatReal(buffer.data(), buffer.data() + buffer.size(), value);
  return ec == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

}  // namespace

GamePage::GamePage(frmQuintoz& game, WebHost& host)
    : game_(game), core_(game.form, *this, 1.0), host_(host) {
  for (const toolkit::Control* c : game_.form.controls())
    freshPlaces_.emplace_back(c->Left, c->Top);
}

void GamePage::show() {
  if (shown_) return;
  shown_ = true;
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
  if (!shown_) return;
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

void GamePage::input(const std::string& line, const toolkit::Control* focusTo,
                     const std::function<void()>& act) {
  GameRecord& record = host_.record();
  record.begin(line, focusTo == nullptr ? std::string() : focusTo->path());
  act();
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
  input("start", nullptr, [this] { game_.form.load(); });
}

std::string GamePage::lineFor(const PageEvent& event, const toolkit::Control*& focusTo) {
  toolkit::Form& form = game_.form;
  const int x = core_.layoutPixel(event.x), y = core_.layoutPixel(event.y);
  switch (event.kind) {
    case EventKind::PointerDown:
      if (pressed_ == nullptr) pressed_ = form.hitTest(x, y);
      return {};
    case EventKind::PointerUp: {
      toolkit::Control* target = pressed_;
      pressed_ = nullptr;
      if (target == nullptr || target == &form) return {};
      const bool inside = target->shownOnScreen() && target->visiblePixelRect().contains(x, y);
      const bool clicks = target->kind() == toolkit::ControlKind::CheckBox ||
                          (target->kind() == toolkit::ControlKind::CommandButton && target->Click);
      if (inside && event.button == toolkit::kLeftButton && clicks) {
        if (target->canTakeFocus()) focusTo = target;
        return "click " + target->path();
      }
      if (!target->MouseUp) return {};
      if (inside && event.button == toolkit::kRightButton) return "rightclick " + target->path();
      return "release " + target->path();
    }
    case EventKind::KeyDown:
      if (event.key == toolkit::kKeySpace) spaceOn_ = form.focused();
      return {};
    case EventKind::KeyUp: {
      toolkit::Control* focused = form.focused();
      if (focused == nullptr || event.key == toolkit::kKeyTab) return {};
      const bool acts = event.key == toolkit::kKeySpace && spaceOn_ == focused;
      if (event.key == toolkit::kKeySpace) spaceOn_ = nullptr;
      if (acts) {
        focusTo = focused;
        return "key " + focused->path() + " space";
      }
      if (!focused->KeyUp) return {};
      return "keyup " + focused->path() + " " + keyWord(static_cast<std::int16_t>(event.key));
    }
    case EventKind::ClickControl: {
      const auto& controls = form.controls();
      if (event.key < 1 || static_cast<std::size_t>(event.key) > controls.size()) return {};
      toolkit::Control* c = controls[static_cast<std::size_t>(event.key) - 1];
      if (mirror_.tree().find(event.key) == nullptr || !form.reachable(*c)) return {};
      if (c->kind() != toolkit::ControlKind::CommandButton &&
          c->kind() != toolkit::ControlKind::CheckBox) {
        return {};
      }
      focusTo = c;
      return "click " + c->path();
    }
    default:
      return {};
  }
}

void GamePage::dispatch(const PageEvent& event) {
  const auto button = static_cast<std::int16_t>(event.button);
  const auto key = static_cast<std::int16_t>(event.key);
  const auto shift = static_cast<std::int16_t>(event.shift);
  const toolkit::Control* focusTo = nullptr;
  const std::string line = lineFor(event, focusTo);
  input(line, focusTo, [&] {
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
  });
  refresh();
}

void GamePage::replay(const ReplayStep& step) {
  using Kind = ReplayStep::Kind;
  toolkit::Form& form = game_.form;
  if (step.kind == Kind::Start) {
    start();
    return;
  }
  toolkit::Control* c = step.text.empty() ? nullptr : form.find(step.text);
  const std::string where = "line " + std::to_string(step.line) + ": ";
  if (c == nullptr && !(step.kind == Kind::Focus && step.text.empty())) {
    host_.failReplay(where + "no control named '" + step.text + "'");
  }
  switch (step.kind) {
    case Kind::Click:
      if (!c->shownOnScreen()) host_.failReplay(where + step.text + " is not shown");
      input((step.button == toolkit::kLeftButton ? "click " : "rightclick ") + step.text,
            step.button == toolkit::kLeftButton && c->canTakeFocus() ? c : nullptr,
            [&] { form.clickControl(*c, step.button); });
      break;
    case Kind::Key:
      if (!c->canTakeFocus() || !c->shownOnScreen()) {
        host_.failReplay(where + step.text + " cannot take the keyboard focus");
      }
      input("key " + step.text + " " + keyWord(step.key), c, [&] { form.keyStroke(*c, step.key); });
      break;
    case Kind::KeyUp:
      if (form.focused() != c) host_.failReplay(where + step.text + " has not the focus");
      input("keyup " + step.text + " " + keyWord(step.key), nullptr, [&] {
        form.runEvent([&] {
          if (c->KeyUp) c->KeyUp(step.key, 0);
        });
      });
      break;
    case Kind::Release:
      input("release " + step.text, nullptr, [&] {
        form.runEvent([&] {
          if (c->MouseUp) c->MouseUp(toolkit::kLeftButton, 0, 0, 0);
        });
      });
      break;
    case Kind::Focus:
      if (c != nullptr && !c->canTakeFocus())
        host_.failReplay(where + step.text + " takes no focus");
      form.setFocus(c);
      save();
      break;
    case Kind::Set:
      input("set " + step.text + "." + step.property + " " + realText(step.numbers[0]), nullptr,
            [&] {
              (step.property == "Left" ? c->Left : c->Top) = static_cast<float>(step.numbers[0]);
            });
      break;
    default:
      break;
  }
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
    const ReplayStep& step = script.steps[i];
    if (!step.acts()) {
      host_.queue(step);
      continue;
    }
    if (i == last) host_.lastInput();
    replay(step);
  }
  host_.endReplay();
  // Kept again at once: the replay wrote the same game down, perhaps with more of its last
  // input (the draws of a turn change that was waiting).
  save();
}

}  // namespace webhost
