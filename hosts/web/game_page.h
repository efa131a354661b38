#pragma once

#include <string>

#include "hosts/web/page_event.h"
#include "hosts/web/page_mirror.h"  // accessibility
#include "hosts/web/web_canvas.h"
#include "ui/frmQuintoz.h"

namespace webhost {

// The game's window in the page: paints the form on the page's canvas and turns the page's
// queued input events into the form's input calls. Owned by main; it holds the tool tip on show
// and nothing of the game.
class GamePage {
 public:
  explicit GamePage(frmQuintoz& game) : game_(game) {}

  // Called by the host's repaint and after every event that may change the picture: paints
  // the whole form. Changes nothing of the game.
  void paint();
  // Called by main for each event the page has queued, in order: runs whichever of the game's
  // handlers the event causes, then paints when the picture may have changed.
  void dispatch(const PageEvent& event);

 private:
  void updateToolTip(int x, int y);
  void hideToolTip();

  frmQuintoz& game_;               // owned by main
  WebCanvas canvas_;               // owned here; the page keeps its drawing state
  PageMirror mirror_{game_.form};  // accessibility: owned here
  // The control whose tip the page shows or waits to show, and its text.
  const toolkit::Control* tipControl_ = nullptr;
  std::string tipText_;
};

}  // namespace webhost
