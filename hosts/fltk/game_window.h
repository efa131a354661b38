#pragma once

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>
#include <memory>
#include <string>

#include "hosts/fltk/fltk_canvas.h"
#include "toolkit/scaled_canvas.h"
#include "ui/frmQuintoz.h"

namespace fltkhost {

// The game's borderless window: paints the form and turns FLTK's mouse and keyboard events
// into the form's input calls. Owned by main; it holds the window's own state (a drag under
// way, the tool tip on show) and nothing of the game.
class GameWindow : public Fl_Double_Window {
 public:
  // Called once by main, before the start-up runs: sizes, titles and colours the window from
  // the form, `scale` times its layout size, and gives it the form's icon. Shows nothing.
  GameWindow(frmQuintoz& game, const Fonts& fonts, double scale);

  // Called by the host when the game asks for a window drag: from now until the left button
  // is released the window follows the mouse. A drag already under way carries on.
  void startDrag();

  // Called by FLTK whenever the window needs drawing: paints the whole form. Changes nothing.
  void draw() override;
  // Called by FLTK for every event: mouse and keys become the form's input calls, which may run
  // any of the game's handlers; also moves the window during a drag and shows tool tips.
  int handle(int event) override;

 private:
  void showToolTip(int x, int y);
  void hideToolTip();
  void moveWithPointer();
  void requestClose();
  int layoutPixel(int devicePixel) const;

  frmQuintoz& game_;
  FltkCanvas canvas_;
  // How many device pixels a layout pixel takes, fixed for the window's life.
  double scale_;
  // The pictures drawn at scale_, when it is not one.
  toolkit::PictureCache pictures_;
  std::unique_ptr<Fl_RGB_Image> icon_;

  // The pointer's and the window's screen positions when the drag began.
  struct Drag {
    bool active = false;
    int pointerX = 0;
    int pointerY = 0;
    int windowX = 0;
    int windowY = 0;
  } drag_;

  // The control whose tip FLTK is showing or waiting to show, and its text, kept alive here
  // because FLTK keeps only the pointer.
  const toolkit::Control* tipControl_ = nullptr;
  std::string tipText_;
};

}  // namespace fltkhost
