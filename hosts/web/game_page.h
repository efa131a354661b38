#pragma once

#include <string>

#include "hosts/core/window_core.h"
#include "hosts/web/page_event.h"
#include "hosts/web/page_mirror.h"
#include "hosts/web/web_canvas.h"
#include "ui/frmQuintoz.h"

namespace webhost {

// The game's window in the page: the page's canvas, tool tip and scale under the window core.
// Owned by main; it holds nothing of the game.
class GamePage : private windowcore::PlatformWindow {
 public:
  explicit GamePage(frmQuintoz& game) : game_(game), core_(game.form, *this, 1.0) {}

  // Called by main once the start-up has asked its questions: shows the window at the page's
  // scale and paints it, and gives the page the window's icon.
  void show();
  // Called by the host's repaint and after every event: paints when the form looks different
  // from what the canvas shows. Changes nothing of the game.
  void refresh();
  // Called by main for each event the page has queued, in order: runs whichever of the game's
  // handlers the event causes, then paints what changed.
  void dispatch(const PageEvent& event);

 private:
  void invalidate() override { dirty_ = true; }
  void showToolTip(const std::string& text, const toolkit::PixelRect& area) override;
  void forgetPictures() override;
  void rescale();

  frmQuintoz& game_;  // owned by main
  WebCanvas canvas_;  // owned here; the page keeps its drawing state
  windowcore::WindowCore core_;
  PageMirror mirror_{game_.form};  // owned here; mirrors the form for assistive technology
  bool dirty_ = true;              // set by the core, cleared by each paint
};

}  // namespace webhost
