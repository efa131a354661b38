#pragma once

#include <string>

#include "toolkit/host.h"

class Fl_Window;

namespace fltkhost {

class Fonts;
class DialogWatcher;

// Where a dialog appears: centred over the game window once it is on screen, centred on the
// screen before that (the start-up asks its questions before the window is shown); and how
// large: the game window's scale multiplies every measure and font of the dialog.
struct DialogPlacement {
  Fl_Window* owner = nullptr;
  double scale = 1.0;
  // Told as the dialog opens, changes and closes; may be null.
  DialogWatcher* watcher = nullptr;
};

// Called by the host for the game's input boxes. Modal: no other window takes input until it
// closes. The prompt's carriage returns are line breaks; the default text starts selected.
// Enter or OK returns the text; Escape, Cancel or closing the box returns empty text.
std::string runInputBox(const Fonts& fonts, DialogPlacement where, const std::string& prompt,
                        const std::string& title, const std::string& defaultText);

// Called by the host for the game's message boxes. Modal, without an icon. Enter or Space
// presses the focused button, which starts as the default one; Tab and the arrow keys move the
// focus. An OK box also closes with Escape or the window's close button, answering OK. A Yes/No
// box must be answered: Y and N press Yes and No, while Escape and closing do nothing.
toolkit::MessageAnswer runMessageBox(const Fonts& fonts, DialogPlacement where,
                                     const std::string& text, const std::string& title,
                                     toolkit::MessageButtons buttons,
                                     toolkit::MessageAnswer defaultAnswer);

}  // namespace fltkhost
