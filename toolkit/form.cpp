#include "toolkit/form.h"

#include <algorithm>

#include "toolkit/tab_order.h"

namespace toolkit {

void Form::registerControl(Control& control) {
  registry_.push_back(&control);
}

Control* Form::find(std::string_view path) const {
  if (path == name()) return const_cast<Form*>(this);
  for (Control* c : registry_) {
    if (c->path() == path) return c;
  }
  return nullptr;
}

void Form::setFocus(Control* control) {
  if (control == nullptr || control->canTakeFocus()) focused_ = control;
}

namespace {

bool rectContains(const Control& outer, const Control& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top &&
         outer.Left + outer.Width >= inner.Left + inner.Width &&
         outer.Top + outer.Height >= inner.Top + inner.Height;
}

// True when a visible sibling in front of the control hides all of it.
bool coveredBySibling(const Control& control) {
  const Control* parent = control.parent();
  if (parent == nullptr) return false;
  for (const Control* sibling : parent->children()) {
    if (sibling == &control) return false;
    if (sibling->Visible && sibling->kind() != ControlKind::Shape &&
        rectContains(*sibling, control)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool Form::reachable(const Control& control) const {
  if (!control.shownOnScreen()) return false;
  for (const Control* c = &control; c != nullptr; c = c->parent()) {
    if (coveredBySibling(*c)) return false;
  }
  return true;
}

void Form::focusNext(bool backwards) {
  std::vector<Control*> order;
  for (Control* c : registry_) {
    if (c->canTakeFocus() && reachable(*c)) order.push_back(c);
  }
  if (order.empty()) return;
  sortByTabIndex(order, [](const Control* c) { return c->TabIndex; });
  auto it = std::find(order.begin(), order.end(), focused_);
  if (it == order.end()) {
    focused_ = backwards ? order.back() : order.front();
  } else if (backwards) {
    focused_ = it == order.begin() ? order.back() : *(it - 1);
  } else {
    focused_ = (it + 1 == order.end()) ? order.front() : *(it + 1);
  }
}

namespace {

Control* hitIn(Control& container, int x, int y) {
  for (Control* child : container.children()) {
    if (!child->Visible || child->kind() == ControlKind::Shape) continue;
    if (!child->visiblePixelRect().contains(x, y)) continue;
    if (!child->children().empty()) return hitIn(*child, x, y);
    return child;
  }
  return &container;
}

}  // namespace

Control* Form::hitTest(int x, int y) const {
  return hitIn(const_cast<Form&>(*this), x, y);
}

std::string Form::toolTipAt(int x, int y) const {
  const Control* c = hitTest(x, y);
  return c == nullptr ? std::string() : c->ToolTipText;
}

void Form::runEvent(const std::function<void()>& handler) {
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(d) { ++depth; }
    ~Depth() { --depth; }
  };
  {
    Depth scope(eventDepth_);
    handler();
  }
  if (eventDepth_ == 0 && AfterEvent) {
    Depth scope(eventDepth_);
    AfterEvent();
  }
  if (eventDepth_ == 0) keepFocusWithinReach();
}

// A key must act where the player sees the focus: when the focused control has gone out of
// reach (hidden, or its card put behind another), the focus moves as Shift+Tab would take it,
// to the nearest reachable control before it in keyboard order, or else the nearest after it.
void Form::keepFocusWithinReach() {
  if (focused_ == nullptr || reachable(*focused_)) return;
  std::vector<Control*> order;
  for (Control* c : registry_) {
    if (c->canTakeFocus() && (c == focused_ || reachable(*c))) order.push_back(c);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
  const auto at = std::find(order.begin(), order.end(), focused_);
  if (at != order.begin()) {
    focused_ = *(at - 1);
  } else {
    focused_ = at + 1 != order.end() ? *(at + 1) : nullptr;
  }
}

void Form::load() {
  runEvent([this] {
    if (Load) Load();
  });
}

void Form::pointerDown(int x, int y, std::int16_t button) {
  if (pressed_ != nullptr) return;  // a second button while one is held changes nothing
  Control* target = hitTest(x, y);
  pressed_ = target;
  if (button == kLeftButton && target->canTakeFocus()) setFocus(target);
}

void Form::pointerMove(int x, int y, std::int16_t buttons) {
  const bool overSurface = pressed_ == nullptr ? hitTest(x, y) == this : pressed_ == this;
  if (!overSurface || !MouseMove) return;
  const float tx = static_cast<float>(x) * kTwipsPerPixel;
  const float ty = static_cast<float>(y) * kTwipsPerPixel;
  runEvent([&] { MouseMove(buttons, 0, tx, ty); });
}

void Form::pointerUp(int x, int y, std::int16_t button) {
  Control* target = pressed_;
  pressed_ = nullptr;
  if (target == nullptr || target == this) return;
  const PixelRect r = target->pixelRect();
  const bool inside = target->shownOnScreen() && target->visiblePixelRect().contains(x, y);
  release(*target, button, inside, static_cast<float>(x - r.x) * kTwipsPerPixel,
          static_cast<float>(y - r.y) * kTwipsPerPixel);
}

void Form::clickControl(Control& control, std::int16_t button) {
  if (button == kLeftButton && control.canTakeFocus()) setFocus(&control);
  release(control, button, true, control.Width / 2, control.Height / 2);
}

// A button released over the control it went down on: a left release clicks (a check box flips
// first, and its Click runs inside the flip), then every release raises MouseUp.
void Form::release(Control& control, std::int16_t button, bool inside, float x, float y) {
  runEvent([&] {
    if (inside && button == kLeftButton) {
      if (CheckBox* box = control.asCheckBox()) {
        box->setValue(box->value() == 0 ? 1 : 0);
      } else if (control.kind() == ControlKind::CommandButton && control.Click) {
        control.Click();
      }
    }
    if (control.MouseUp) control.MouseUp(button, 0, x, y);
  });
}

void Form::keyDown(std::int16_t key, std::int16_t shift) {
  if (key == kKeyTab) {
    focusNext((shift & 1) != 0);
  } else if (key == kKeySpace) {
    spaceDownOn_ = focused_;
  }
}

void Form::keyUp(std::int16_t key, std::int16_t shift) {
  if (focused_ == nullptr || key == kKeyTab) return;
  pressKeyUp(*focused_, key, shift);
}

void Form::keyStroke(Control& control, std::int16_t key) {
  setFocus(&control);
  if (focused_ != &control) return;
  keyDown(key, 0);
  keyUp(key, 0);
}

// KeyUp is raised before Space acts, so a handler sees the state the key is about to change.
void Form::pressKeyUp(Control& control, std::int16_t key, std::int16_t shift) {
  const bool spaceActs = key == kKeySpace && spaceDownOn_ == &control;
  if (key == kKeySpace) spaceDownOn_ = nullptr;
  runEvent([&] {
    if (control.KeyUp) control.KeyUp(key, shift);
    if (!spaceActs) return;
    if (CheckBox* box = control.asCheckBox()) {
      box->setValue(box->value() == 0 ? 1 : 0);
    } else if (control.kind() == ControlKind::CommandButton && control.Click) {
      control.Click();
    }
  });
}

}  // namespace toolkit
