#include "hosts/fltk/game_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include "hosts/fltk/input_map.h"
#include "hosts/fltk/window_manager.h"

namespace fltkhost {

namespace {

// Seconds the mouse must rest over a control before its tip shows.
constexpr float kToolTipDelay = 0.5f;

toolkit::PixelRect deviceRect(const frmQuintoz& game, double scale) {
  return toolkit::scaledRect(game.form.pixelRect(), scale);
}

}  // namespace

GameWindow::GameWindow(frmQuintoz& game, const Fonts& fonts, double scale)
    : Fl_Double_Window(deviceRect(game, scale).w, deviceRect(game, scale).h),
      game_(game),
      canvas_(fonts),
      core_(game.form, *this, scale) {
  end();
  label(game.form.Caption.c_str());
  xclass(game.form.Caption.c_str());
  const toolkit::Rgb back = game.form.BackColor;
  color(fl_rgb_color(back.r, back.g, back.b));
  // No title bar, frame or system menu: the game draws its own quit and new-game buttons.
  border(0);
  size_range(w(), h(), w(), h());
  if (const toolkit::Image* shown = core_.icon()) {
    icon_ = std::make_unique<Fl_RGB_Image>(shown->rgb.data(), shown->width, shown->height, 3);
    icon(icon_.get());
  }
  // A close request from the window manager asks "Quit Now?" exactly as the quit button does.
  callback(
      [](Fl_Widget*, void* self) {
        auto* window = static_cast<GameWindow*>(self);
        window->core_.runEvent([window] { window->game_.cmdExit_Click(); });
      },
      this);
  Fl_Tooltip::delay(kToolTipDelay);
  // Tips use the dialogs' face and size, which are loaded already; FLTK's default face would
  // cost a font of its own.
  Fl_Tooltip::font(fonts.dialogFont());
  Fl_Tooltip::size(toolkit::scaledEdge(Fonts::kDialogPixels, scale));
}

void GameWindow::startDrag() {
  if (drag_.mover != Mover::Nobody) return;
  // The drag begins at the first move, which the window follows at once: no movement since the
  // press is lost.
  follow(Fl::event_x_root(), Fl::event_y_root());
  if (windowManagerMoves()) {
    drag_.mover = Mover::WindowManager;
    handMoveToWindowManager(*this, Fl::event_x_root(), Fl::event_y_root());
    // FLTK sees no release either: it must not hold the window as pressed, which would keep
    // the pointer's leaving from it.
    Fl::pushed(nullptr);
  } else {
    drag_.mover = Mover::ThisWindow;
  }
}

void GameWindow::follow(int pointerX, int pointerY) {
  position(drag_.windowX + pointerX - drag_.pointerX, drag_.windowY + pointerY - drag_.pointerY);
}

void GameWindow::endDrag(int x, int y) {
  drag_.pressed = false;
  drag_.mover = Mover::Nobody;
  core_.pointerUp(x, y, toolkit::kLeftButton);
}

void GameWindow::show() {
  if (shown()) {
    Fl_Double_Window::show();
    return;
  }
  {
    const ListedOnTaskbar listed;
    Fl_Double_Window::show();
  }
  // The window manager takes requests about a window it manages: one that is mapped.
  wait_for_expose();
  askForKeyboard(*this);
}

void GameWindow::draw() {
  core_.paint(canvas_);
  if (painted_) painted_();
}

void GameWindow::showToolTip(const std::string& text, const toolkit::PixelRect& area) {
  tipText_ = text;
  Fl_Tooltip::enter_area(this, area.x, area.y, area.w, area.h,
                         tipText_.empty() ? nullptr : tipText_.c_str());
}

void GameWindow::markPainted(std::uint64_t fingerprint) {
  // A property of the window, which xprop reads: what the window shows, as the game's own
  // fingerprint of the form.
  const std::string text = windowcore::fingerprintText(fingerprint);
  XChangeProperty(fl_display, fl_xid(this), XInternAtom(fl_display, "_QUINTOZ_PAINTED", False),
                  XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()),
                  static_cast<int>(text.size()));
}

int GameWindow::handle(int event) {
  const int ex = Fl::event_x();
  const int ey = Fl::event_y();
  switch (event) {
    case FL_PUSH:
      if (const std::int16_t button = gameButton(Fl::event_button()); button != 0) {
        // A window manager that moved the window kept the release it ended with.
        if (drag_.mover == Mover::WindowManager) endDrag(ex, ey);
        if (button == toolkit::kLeftButton) {
          drag_ = {true, Mover::Nobody, Fl::event_x_root(), Fl::event_y_root(), x(), y()};
        }
        core_.pointerDown(ex, ey, button);
      }
      return 1;
    case FL_DRAG:
    case FL_MOVE: {
      std::int16_t buttons = gameButtonMask(Fl::event_state());
      // A window manager that gives the window the keyboard on a click lets FLTK tell a move
      // with the button already down before it hands on the press itself: no drag starts from
      // a press this window has not had.
      if (!drag_.pressed) buttons &= static_cast<std::int16_t>(~toolkit::kLeftButton);
      // A move that reaches the window while the window manager is to move it came before the
      // window manager took the pointer: the window follows it, so that it stands where the
      // pointer is whenever the window manager begins, and wherever the button comes up.
      const bool held = (buttons & toolkit::kLeftButton) != 0;
      if (drag_.mover == Mover::ThisWindow || (drag_.mover == Mover::WindowManager && held)) {
        follow(Fl::event_x_root(), Fl::event_y_root());
        return 1;
      }
      if (drag_.mover == Mover::WindowManager) endDrag(ex, ey);
      core_.pointerMove(ex, ey, buttons);
      return 1;
    }
    case FL_RELEASE:
      if (const std::int16_t button = gameButton(Fl::event_button()); button != 0) {
        if (button != toolkit::kLeftButton || drag_.mover == Mover::Nobody) {
          if (button == toolkit::kLeftButton) drag_.pressed = false;
          core_.pointerUp(ex, ey, button);
        } else {
          // The button came up before the window manager took the pointer, if it has one: its
          // move ends, and the window stands where the pointer has taken it.
          if (drag_.mover == Mover::WindowManager) {
            cancelMoveByWindowManager(*this, Fl::event_x_root(), Fl::event_y_root());
          }
          follow(Fl::event_x_root(), Fl::event_y_root());
          endDrag(ex, ey);
        }
      }
      return 1;
    case FL_ENTER:
      return 1;  // asking for the moves that follow
    case FL_LEAVE:
      core_.pointerLeave();
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
          core_.keyDown(*key, shift);
        } else {
          core_.keyUp(*key, shift);
        }
      }
      return 1;
    case FL_SHORTCUT:
      return 1;
    default:
      return Fl_Double_Window::handle(event);
  }
}

}  // namespace fltkhost
