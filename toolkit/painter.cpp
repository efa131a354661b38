#include "toolkit/painter.h"

#include <algorithm>

namespace toolkit {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

Rgb shade(Rgb c, int percent) {
  auto f = [percent](int v) {
    return static_cast<std::uint8_t>(std::clamp(v * percent / 100, 0, 255));
  };
  return {f(c.r), f(c.g), f(c.b)};
}

Rgb light(Rgb c) {
  auto f = [](int v) { return static_cast<std::uint8_t>(v + (255 - v) / 2); };
  return {f(c.r), f(c.g), f(c.b)};
}

void hline(Canvas& c, int x, int y, int w, Rgb colour) {
  c.fillRect({x, y, w, 1}, colour);
}
void vline(Canvas& c, int x, int y, int h, Rgb colour) {
  c.fillRect({x, y, 1, h}, colour);
}

// A push button's edge: light above and left, dark below and right; the other way round, and
// without the inner light edge, when pressed in.
void bevel(Canvas& c, const PixelRect& r, Rgb face, bool pressed) {
  const Rgb hi = pressed ? kBlack : kWhite;
  const Rgb hi2 = pressed ? shade(face, 60) : light(face);
  const Rgb lo = pressed ? kWhite : kBlack;
  const Rgb lo2 = pressed ? light(face) : shade(face, 60);
  hline(c, r.x, r.y, r.w, hi);
  vline(c, r.x, r.y, r.h, hi);
  hline(c, r.x, r.y + r.h - 1, r.w, lo);
  vline(c, r.x + r.w - 1, r.y, r.h, lo);
  hline(c, r.x + 1, r.y + 1, r.w - 2, hi2);
  vline(c, r.x + 1, r.y + 1, r.h - 2, hi2);
  hline(c, r.x + 1, r.y + r.h - 2, r.w - 2, lo2);
  vline(c, r.x + r.w - 2, r.y + 1, r.h - 2, lo2);
}

// Buttons and check boxes: face colour, picture and caption centred, pressed in when checked.
void paintButton(Canvas& c, const Control& ctrl, bool pressed, bool focused) {
  const PixelRect r = ctrl.pixelRect();
  c.fillRect(r, ctrl.BackColor);
  const int shift = pressed ? 1 : 0;
  if (!ctrl.Picture.empty()) {
    const Image& img = *ctrl.Picture.image;
    c.drawImage(r.x + (r.w - img.width) / 2 + shift, r.y + (r.h - img.height) / 2 + shift, img);
  }
  if (!ctrl.Caption.empty()) {
    const PixelRect box{r.x + 2 + shift, r.y + 2 + shift, r.w - 4, r.h - 4};
    c.drawText(box, ctrl.Caption, ctrl.font, ctrl.ForeColor, HAlign::Center);
  }
  bevel(c, r, ctrl.BackColor, pressed);
  if (focused) c.drawFocusRect({r.x + 3, r.y + 3, r.w - 6, r.h - 6});
}

void paintTextBox(Canvas& c, const TextBox& box) {
  const PixelRect r = box.pixelRect();
  c.fillRect(r, box.BackColor);
  bevel(c, r, box.BackColor, true);
  c.drawText({r.x + 2, r.y + 2, r.w - 4, r.h - 4}, box.Text, box.font, box.ForeColor,
             HAlign::Center);
}

void paintFrame(Canvas& c, const Frame& frame) {
  const PixelRect r = frame.pixelRect();
  c.fillRect(r, frame.BackColor);
  if (!frame.hasBorder) return;
  // An etched rectangle below the caption's middle, broken where the caption stands.
  const int top = r.y + 8;
  const Rgb dark = shade(frame.BackColor, 60);
  const Rgb bright = light(frame.BackColor);
  hline(c, r.x, top, r.w - 1, dark);
  vline(c, r.x, top, r.h - 8 - 1, dark);
  hline(c, r.x, r.y + r.h - 2, r.w - 1, dark);
  vline(c, r.x + r.w - 2, top, r.h - 8 - 1, dark);
  hline(c, r.x + 1, top + 1, r.w - 3, bright);
  vline(c, r.x + 1, top + 1, r.h - 8 - 3, bright);
  hline(c, r.x, r.y + r.h - 1, r.w, bright);
  vline(c, r.x + r.w - 1, top, r.h - 8, bright);
  if (!frame.Caption.empty()) {
    const int textWidth = std::min(r.w - 16, c.textWidth(frame.Caption, frame.font) + 4);
    const PixelRect box{r.x + 8, r.y, textWidth, 17};
    c.fillRect(box, frame.BackColor);
    c.drawText(box, frame.Caption, frame.font, frame.ForeColor, HAlign::Left);
  }
}

void paintControl(Canvas& c, const Form& form, const Control& ctrl) {
  if (!ctrl.Visible) return;
  const PixelRect r = ctrl.pixelRect();
  switch (ctrl.kind()) {
    case ControlKind::CommandButton:
      paintButton(c, ctrl, false, form.focused() == &ctrl);
      break;
    case ControlKind::CheckBox:
      paintButton(c, ctrl, static_cast<const CheckBox&>(ctrl).value() != 0,
                  form.focused() == &ctrl);
      break;
    case ControlKind::Frame:
      paintFrame(c, static_cast<const Frame&>(ctrl));
      break;
    case ControlKind::Label:
      c.drawText(r, ctrl.Caption, ctrl.font, ctrl.ForeColor,
                 static_cast<const Label&>(ctrl).alignment);
      break;
    case ControlKind::TextBox:
      paintTextBox(c, static_cast<const TextBox&>(ctrl));
      break;
    case ControlKind::Image:
      if (!ctrl.Picture.empty()) c.drawImage(r.x, r.y, *ctrl.Picture.image);
      break;
    case ControlKind::Shape: {
      const Rgb border = static_cast<const Shape&>(ctrl).BorderColor;
      hline(c, r.x, r.y, r.w, border);
      hline(c, r.x, r.y + r.h - 1, r.w, border);
      vline(c, r.x, r.y, r.h, border);
      vline(c, r.x + r.w - 1, r.y, r.h, border);
      break;
    }
    case ControlKind::Form:
      break;
  }
  if (ctrl.children().empty()) return;
  c.pushClip(r);
  const auto& kids = ctrl.children();
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) paintControl(c, form, **it);
  c.popClip();
}

}  // namespace

void paintForm(const Form& form, Canvas& canvas) {
  const PixelRect r = form.pixelRect();
  canvas.pushClip(r);
  canvas.fillRect(r, form.BackColor);
  const auto& kids = form.children();
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) paintControl(canvas, form, **it);
  canvas.popClip();
}

}  // namespace toolkit
