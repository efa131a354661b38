#pragma once

#include "hosts/core/window_core.h"
#include "toolkit/accessibility.h"

namespace webhost {

// The form's accessibility tree mirrored into the page as elements laid over the canvas, and
// its announcements spoken through a live region, in `words` (the game's language). Owned by the
// game's page view; the form and the words must outlive it.
class PageMirror {
 public:
  // The core says where each control stands on the board.
  PageMirror(const toolkit::Form& form, const windowcore::WindowCore& core,
             const toolkit::AccessibleWords& words);

  // Called after every paint: sends the tree to the page when it changed, and the
  // announcements of what changed. Changes nothing of the game.
  void update();
  // The tree as last sent, to find the controls the page's events name.
  const toolkit::AccessibleTree& tree() const { return tracker_.tree(); }
  // Called when the board is laid out anew: the next update sends the places again.
  void relayout() { placesChanged_ = true; }

 private:
  const toolkit::Form& form_;              // owned by the game
  const windowcore::WindowCore& core_;     // owned by the page view
  toolkit::AccessibilityTracker tracker_;  // owned here
  bool placesChanged_ = false;
};

}  // namespace webhost
