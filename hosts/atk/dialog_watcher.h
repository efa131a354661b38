#pragma once

#include <string>
#include <vector>

class Fl_Button;
class Fl_Window;

namespace fltkhost {

class TextInput;

// What a dialog shows, as the dialogs tell it to an observer such as the accessibility bridge:
// its title and text, the field of an input box, and its buttons in order.
struct DialogParts {
  std::string title;
  std::string text;
  TextInput* field = nullptr;  // null for a message box
  std::vector<Fl_Button*> buttons;
};

// Told by the dialogs as they open and close, and by the host while the game waits. The
// widgets live while the dialog is open; the observer changes nothing of the dialog itself.
class DialogWatcher {
 public:
  virtual ~DialogWatcher() = default;
  // Called once the dialog is on screen, before its modal loop begins.
  virtual void opened(Fl_Window& dialog, const DialogParts& parts) = 0;
  // Called when the dialog has been answered and hidden, before its widgets go.
  virtual void closed(Fl_Window& dialog) = 0;
  // Called by the host each time it paints while the game waits (its timed wait, and before a
  // dialog): the loop does not turn meanwhile, and handles no input, but what changed may still
  // be told.
  virtual void waiting() = 0;
};

}  // namespace fltkhost
