#include "toolkit/control.h"

#include <algorithm>
#include <cmath>

namespace toolkit {

Control::Control(ControlKind kind, std::string name, std::int16_t index)
    : kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::path() const {
  if (index_ < 0) return name_;
  return name_ + "(" + std::to_string(index_) + ")";
}

void Control::addChild(Control& child) {
  child.parent_ = this;
  children_.push_back(&child);
}

void Control::bringToFront() {
  if (parent_ == nullptr) return;
  auto& siblings = parent_->children_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  std::rotate(siblings.begin(), it, it + 1);
}

int Control::zOrder() const {
  if (parent_ == nullptr) return 0;
  const auto& siblings = parent_->children_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

bool Control::shownOnScreen() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->Visible) return false;
  }
  return true;
}

namespace {
int toPixels(float twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
}  // namespace

PixelRect Control::pixelRect() const {
  if (parent_ == nullptr) return {0, 0, toPixels(Width), toPixels(Height)};
  const PixelRect origin = parent_->pixelRect();
  const int left = origin.x + toPixels(Left);
  const int top = origin.y + toPixels(Top);
  // Both edges are rounded, so that neighbours laid out edge to edge stay edge to edge.
  return {left, top, origin.x + toPixels(Left + Width) - left,
          origin.y + toPixels(Top + Height) - top};
}

PixelRect Control::visiblePixelRect() const {
  PixelRect r = pixelRect();
  for (const Control* c = parent_; c != nullptr; c = c->parent_) r = r.intersect(c->pixelRect());
  return r;
}

bool Control::canTakeFocus() const {
  return TabIndex >= 0 && (kind_ == ControlKind::CheckBox || kind_ == ControlKind::CommandButton);
}

void CheckBox::setValue(std::int16_t newValue) {
  if (newValue == value_) return;
  value_ = newValue;
  if (Click) Click();
}

}  // namespace toolkit
