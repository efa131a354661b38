#pragma once

#include "toolkit/accessibility.h"

namespace webhost {

// The form's accessibility tree mirrored into the page as elements laid over the canvas, and
// its announcements spoken through a live region, in `words` (the game's language). Owned by the
// game's page view; the form and the words must outlive it.
class PageMirror {
 public:
  PageMirror(const toolkit::Form& form, const toolkit::AccessibleWords& words);

  // Called after every paint: sends the tree to the page when it changed, and the
  // announcements of what changed. Changes nothing of the game.
  void update();
  // The tree as last sent, to find the controls the page's events name.
  const toolkit::AccessibleTree& tree() const { return tracker_.tree(); }

 private:
  const toolkit::Form& form_;              // owned by the game
  toolkit::AccessibilityTracker tracker_;  // owned here
};

}  // namespace webhost
