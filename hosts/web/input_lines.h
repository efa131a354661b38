#pragma once

#include <string>

#include "hosts/web/page_event.h"
#include "toolkit/accessibility.h"

namespace webhost {

// Turns the page's input into the lines of the game's record: it follows the form's own rules
// (a press and a release on the same control click it; Space acts on the control that had the
// focus when it went down), so each line replays exactly what the input did. Owned by the
// game's page view.
class InputLines {
 public:
  // Called for each event before the form takes it, with the event's position in layout
  // pixels: the line it makes ("" for one that changes nothing of the game), and in focusTo the
  // control the line leaves the focus on when replayed. Changes nothing of the game.
  std::string lineFor(const toolkit::Form& form, const toolkit::AccessibleTree& tree,
                      const PageEvent& event, int x, int y, const toolkit::Control*& focusTo);

 private:
  const toolkit::Control* pressed_ = nullptr;  // the control a held button went down on
  const toolkit::Control* spaceOn_ = nullptr;  // the focus when Space went down
};

}  // namespace webhost
