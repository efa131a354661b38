#include "hosts/web/input_lines.h"

#include "hosts/web/replay.h"

namespace webhost {

std::string InputLines::lineFor(const toolkit::Form& form, const toolkit::AccessibleTree& tree,
                                const PageEvent& event, int x, int y,
                                const toolkit::Control*& focusTo) {
  switch (event.kind) {
    case EventKind::PointerDown:
      if (pressed_ == nullptr) pressed_ = form.hitTest(x, y);
      return {};
    case EventKind::LongPress:
      // The press was a question: its release clicks nothing.
      pressed_ = nullptr;
      return {};
    case EventKind::PointerUp: {
      const toolkit::Control* target = pressed_;
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
      const toolkit::Control* focused = form.focused();
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
      const toolkit::Control* c = controls[static_cast<std::size_t>(event.key) - 1];
      if (tree.find(event.key) == nullptr || !form.reachable(*c)) return {};
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

}  // namespace webhost
