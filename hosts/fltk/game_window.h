#pragma once

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>
#include <functional>
#include <memory>
#include <string>

#include "hosts/core/window_core.h"
#include "hosts/fltk/fltk_canvas.h"
#include "ui/frmQuintoz.h"

namespace fltkhost {

// The game's borderless window on FLTK: its canvas, its tool tip and its drag, with everything
// else left to the window core. Owned by main; it holds nothing of the game.
class GameWindow : public Fl_Double_Window, private windowcore::PlatformWindow {
 public:
  // Called once by main, before the start-up runs: sizes, titles and colours the window from
  // the form, `scale` times its layout size, and gives it the form's icon. Shows nothing.
  GameWindow(frmQuintoz& game, const Fonts& fonts, double scale);

  // Called by the host when the game asks for a window drag, at the first move of the left
  // button pressed on the body: from the press until the button is released the window follows
  // the mouse, moved by the window manager where it offers to. A drag under way carries on.
  void startDrag();
  // Called by the host's repaint: the core that knows whether the form changed.
  windowcore::WindowCore& core() { return core_; }
  // Called by main: `observer` runs after each paint (the accessibility bridge looks again).
  void afterPaint(std::function<void()> observer) { painted_ = std::move(observer); }

  // Called by main once the start-up has asked its questions: shows the window, listed on the
  // taskbar and with the keyboard, as a program's main window.
  void show() override;
  // Called by FLTK whenever the window needs drawing: paints the whole form. Changes nothing.
  void draw() override;
  // Called by FLTK for every event: mouse and keys go to the core, which may run any of the
  // game's handlers; a drag moves the window here.
  int handle(int event) override;

 private:
  void invalidate() override { redraw(); }
  void showToolTip(const std::string& text, const toolkit::PixelRect& area) override;
  void forgetPictures() override { canvas_.forgetPictures(); }
  void markPainted(std::uint64_t fingerprint) override;

  frmQuintoz& game_;
  FltkCanvas canvas_;
  windowcore::WindowCore core_;
  std::unique_ptr<Fl_RGB_Image> icon_;

  // Where the window stands for the pointer's place on the screen, in the drag from the last
  // left press: the window keeps the offset to the pointer it had at the press.
  void follow(int pointerX, int pointerY);
  // The left button is up again after a drag: the game's press ends with it.
  void endDrag(int x, int y);

  // Whether the left button went down on this window and is still down, the pointer's and the
  // window's screen positions at that press, and who moves the window while the button stays
  // down: nobody yet, this window, or the window manager.
  enum class Mover { Nobody, ThisWindow, WindowManager };
  struct Drag {
    bool pressed = false;
    Mover mover = Mover::Nobody;
    int pointerX = 0;
    int pointerY = 0;
    int windowX = 0;
    int windowY = 0;
  } drag_;

  // The tip's text, kept alive here because FLTK keeps only the pointer.
  std::string tipText_;
  std::function<void()> painted_;
};

}  // namespace fltkhost
