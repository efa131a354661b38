#include "hosts/core/window_core.h"

#include <cmath>

#include "hosts/core/sharp_pictures.h"
#include "toolkit/painter.h"

namespace windowcore {

WindowCore::WindowCore(toolkit::Form& form, PlatformWindow& window, double scale)
    : form_(form), window_(window), scale_(scale > 0 ? scale : 1.0), pictures_(&sharpPicture) {
  shown_ = formFingerprint(form_);
}

void WindowCore::setScale(double scale) {
  if (!(scale > 0) || scale == scale_) return;
  scale_ = scale;
  // A window that changes density keeps only the pictures it draws now; the platform's copies
  // of the old ones go first, since the freed addresses may be used again.
  window_.forgetPictures();
  pictures_.clear();
  hideToolTip();
  window_.invalidate();
}

void WindowCore::arrange(int shape) {
  if (shape < 0 || shape >= kBoardShapes || shape == shape_) return;
  shape_ = shape;
  hideToolTip();
  window_.invalidate();
}

toolkit::PixelRect WindowCore::deviceRect() const {
  if (shape_ == 0) return toolkit::scaledRect(form_.pixelRect(), scale_);
  return toolkit::scaledRect({0, 0, board().width, board().height}, scale_);
}

std::pair<int, int> WindowCore::shift(const BoardRegion& region) const {
  return {toolkit::scaledEdge(region.x, scale_) - toolkit::scaledEdge(region.from.x, scale_),
          toolkit::scaledEdge(region.y, scale_) - toolkit::scaledEdge(region.from.y, scale_)};
}

toolkit::PixelRect WindowCore::boardPlace(const toolkit::Control& control,
                                          const toolkit::PixelRect& bounds) const {
  for (const TapArea& tap : board().taps) {
    if (control.path() == tap.control) return tap.area;
  }
  return onBoard(board(), bounds);
}

std::pair<int, int> WindowCore::formPoint(int x, int y) const {
  if (shape_ == 0) return {layoutPixel(x), layoutPixel(y)};
  for (const TapArea& tap : board().taps) {
    const toolkit::Control* c = form_.find(tap.control);
    if (c == nullptr || !toolkit::scaledRect(tap.area, scale_).contains(x, y)) continue;
    const toolkit::PixelRect r = c->visiblePixelRect();
    return {r.x + r.w / 2, r.y + r.h / 2};
  }
  for (const BoardRegion& region : board().regions) {
    const auto [dx, dy] = shift(region);
    if (toolkit::scaledRect(region.from, scale_).contains(x - dx, y - dy)) {
      return {layoutPixel(x - dx), layoutPixel(y - dy)};
    }
  }
  return {-1, -1};
}

void WindowCore::paintRegions(toolkit::Canvas& device) {
  device.fillRect(deviceRect(), form_.BackColor);
  for (const BoardRegion& region : board().regions) {
    const auto [dx, dy] = shift(region);
    const toolkit::PixelRect from = toolkit::scaledRect(region.from, scale_);
    ShiftedCanvas shifted(device, dx, dy, {from.x + dx, from.y + dy, from.w, from.h});
    if (scale_ == 1.0) {
      toolkit::paintForm(form_, shifted);
    } else {
      toolkit::ScaledCanvas scaled(shifted, scale_, pictures_);
      toolkit::paintForm(form_, scaled);
    }
  }
}

const toolkit::Image* WindowCore::icon() {
  const auto& image = form_.Icon.image;
  if (image == nullptr || image->width <= 0) return nullptr;
  return scale_ == 1.0 ? image.get() : &pictures_.at(*image, scale_);
}

void WindowCore::paint(toolkit::Canvas& device) {
  shown_ = formFingerprint(form_);
  if (shape_ != 0) {
    paintRegions(device);
  } else if (scale_ == 1.0) {
    toolkit::paintForm(form_, device);
  } else {
    toolkit::ScaledCanvas scaled(device, scale_, pictures_);
    toolkit::paintForm(form_, scaled);
  }
  window_.markPainted(shown_);
}

void WindowCore::refresh() {
  if (formFingerprint(form_) != shown_) window_.invalidate();
}

int WindowCore::layoutPixel(int devicePixel) const {
  return static_cast<int>(std::floor(devicePixel / scale_));
}

void WindowCore::pointerDown(int x, int y, std::int16_t button) {
  hideToolTip();
  const auto [lx, ly] = formPoint(x, y);
  form_.pointerDown(lx, ly, button);
  refresh();
}

void WindowCore::pointerMove(int x, int y, std::int16_t buttons) {
  const auto [lx, ly] = formPoint(x, y);
  // Tips follow the resting pointer, not a drag.
  if (buttons == 0) updateToolTip(lx, ly);
  form_.pointerMove(lx, ly, buttons);
  refresh();
}

void WindowCore::pointerUp(int x, int y, std::int16_t button) {
  const auto [lx, ly] = formPoint(x, y);
  form_.pointerUp(lx, ly, button);
  refresh();
}

void WindowCore::longPress(int x, int y) {
  form_.forgetPress();
  const auto [lx, ly] = formPoint(x, y);
  updateToolTip(lx, ly);
}

void WindowCore::pointerLeave() {
  hideToolTip();
}

void WindowCore::keyDown(std::int16_t key, std::int16_t shift) {
  form_.keyDown(key, shift);
  refresh();
}

void WindowCore::keyUp(std::int16_t key, std::int16_t shift) {
  form_.keyUp(key, shift);
  refresh();
}

void WindowCore::runEvent(const std::function<void()>& handler) {
  form_.runEvent(handler);
  refresh();
}

void WindowCore::updateToolTip(int x, int y) {
  const toolkit::Control* control = form_.hitTest(x, y);
  std::string text = form_.toolTipAt(x, y);
  if (control == tipControl_ && text == tipText_) return;
  tipControl_ = control;
  tipText_ = std::move(text);
  const toolkit::PixelRect area =
      tipText_.empty() || control == nullptr
          ? toolkit::PixelRect{}
          : toolkit::scaledRect(onBoard(board(), control->visiblePixelRect()), scale_);
  window_.showToolTip(tipText_, area);
}

void WindowCore::hideToolTip() {
  if (tipControl_ == nullptr && tipText_.empty()) return;
  tipControl_ = nullptr;
  tipText_.clear();
  window_.showToolTip({}, {});
}

}  // namespace windowcore
