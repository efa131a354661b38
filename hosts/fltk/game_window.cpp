#include "hosts/fltk/game_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>
#include <cmath>

#include "hosts/fltk/input_map.h"
#include "hosts/shared/sharp_pictures.h"
#include "toolkit/painter.h"

namespace fltkhost {

namespace {

int toPixels(float twips, double scale) {
  return toolkit::scaledEdge(static_cast<int>(twips / toolkit::kTwipsPerPixel + 0.5f), scale);
}

// Seconds the mouse must rest over a control before its tip shows.
constexpr float kToolTipDelay = 0.5f;

}  // namespace

GameWindow::GameWindow(frmQuintoz& game, const Fonts& fonts, double scale)
    : Fl_Double_Window(toPixels(game.form.Width, scale), toPixels(game.form.Height, scale)),
      game_(game),
      canvas_(fonts),
      scale_(scale),
      pictures_(&hostshared::sharpPicture) {
  end();
  label(game.form.Caption.c_str());
  xclass(game.form.Caption.c_str());
  const toolkit::Rgb back = game.form.BackColor;
  color(fl_rgb_color(back.r, back.g, back.b));
  // No title bar, frame or system menu: the game draws its own quit and new-game buttons.
  border(0);
  size_range(w(), h(), w(), h());
  if (const auto& image = game.form.Icon.image; image != nullptr && image->width > 0) {
    // The icon grows with the window, drawn again at the larger size.
    const toolkit::Image& shown = scale == 1.0 ? *image : pictures_.at(*image, scale);
    icon_ = std::make_unique<Fl_RGB_Image>(shown.rgb.data(), shown.width, shown.height, 3);
    icon(icon_.get());
  }
  // A close request from the window manager asks "Quit Now?" exactly as the quit button does.
  callback([](Fl_Widget*, void* self) { static_cast<GameWindow*>(self)->requestClose(); }, this);
  Fl_Tooltip::delay(kToolTipDelay);
  // Tips use the dialogs' face and size, which are loaded already; FLTK's default face would
  // cost a font of its own.
  Fl_Tooltip::font(fonts.dialogFont());
  Fl_Tooltip::size(toolkit::scaledEdge(Fonts::kDialogPixels, scale));
}

int GameWindow::layoutPixel(int devicePixel) const {
  return static_cast<int>(std::floor(devicePixel / scale_));
}

void GameWindow::requestClose() {
  game_.form.runEvent([this] { game_.cmdExit_Click(); });
  redraw();
}

void GameWindow::startDrag() {
  if (drag_.active) return;
  drag_ = {true, Fl::event_x_root(), Fl::event_y_root(), x(), y()};
}

void GameWindow::moveWithPointer() {
  position(drag_.windowX + Fl::event_x_root() - drag_.pointerX,
           drag_.windowY + Fl::event_y_root() - drag_.pointerY);
}

void GameWindow::draw() {
  // At scale one the painter draws on FLTK directly, so that the window stays exactly as laid
  // out, pixel for pixel.
  if (scale_ == 1.0) {
    toolkit::paintForm(game_.form, canvas_);
    return;
  }
  toolkit::ScaledCanvas scaled(canvas_, scale_, pictures_);
  toolkit::paintForm(game_.form, scaled);
}

void GameWindow::showToolTip(int x, int y) {
  const toolkit::Control* control = game_.form.hitTest(x, y);
  const std::string text = game_.form.toolTipAt(x, y);
  if (control == tipControl_ && text == tipText_) return;
  tipControl_ = control;
  tipText_ = text;
  if (text.empty()) {
    Fl_Tooltip::enter_area(this, 0, 0, 0, 0, nullptr);
    return;
  }
  const toolkit::PixelRect r = toolkit::scaledRect(control->visiblePixelRect(), scale_);
  Fl_Tooltip::enter_area(this, r.x, r.y, r.w, r.h, tipText_.c_str());
}

void GameWindow::hideToolTip() {
  tipControl_ = nullptr;
  tipText_.clear();
  Fl_Tooltip::enter_area(this, 0, 0, 0, 0, nullptr);
}

int GameWindow::handle(int event) {
  toolkit::Form& form = game_.form;
  // The form works in layout pixels; the pointer arrives in the screen's.
  const int ex = layoutPixel(Fl::event_x());
  const int ey = layoutPixel(Fl::event_y());
  switch (event) {
    case FL_PUSH:
      hideToolTip();
      if (const std::int16_t button = gameButton(Fl::event_button()); button != 0) {
        form.pointerDown(ex, ey, button);
      }
      redraw();
      return 1;
    case FL_DRAG:
      if (drag_.active) {
        moveWithPointer();
        return 1;
      }
      form.pointerMove(ex, ey, gameButtonMask(Fl::event_state()));
      redraw();
      return 1;
    case FL_MOVE:
      showToolTip(ex, ey);
      form.pointerMove(ex, ey, gameButtonMask(Fl::event_state()));
      redraw();
      return 1;
    case FL_RELEASE:
      if (const std::int16_t button = gameButton(Fl::event_button()); button != 0) {
        if (button == toolkit::kLeftButton) drag_.active = false;
        form.pointerUp(ex, ey, button);
      }
      redraw();
      return 1;
    case FL_ENTER:
      return 1;  // asking for the moves that follow
    case FL_LEAVE:
      hideToolTip();
      return 1;
    case FL_FOCUS:
    case FL_UNFOCUS:
      return 1;  // taking the keyboard
    case FL_KEYDOWN:
    case FL_KEYUP:
      // Every key is taken here, even those the game ignores, so that FLTK neither moves its
      // own focus on Tab nor closes the window on Escape.
      if (const auto key = gameKeyCode(Fl::event_key())) {
        const std::int16_t shift = gameShiftMask(Fl::event_state());
        if (event == FL_KEYDOWN) {
          form.keyDown(*key, shift);
        } else {
          form.keyUp(*key, shift);
        }
        redraw();
      }
      return 1;
    case FL_SHORTCUT:
      return 1;
    default:
      return Fl_Double_Window::handle(event);
  }
}

}  // namespace fltkhost
