#pragma once

#include <string>

#include "hosts/fltk/atk_peer.h"

class Fl_Input;

namespace fltkhost {

// The input box's field as the accessibility bridge reads and edits it: its text, its caret as
// a character offset, one character's rectangle on the screen, and a replacement of characters.
// Kept apart, and narrow, so that it follows the field's own layout wherever that is made.
struct FieldReader {
  static std::string text(const Fl_Input& field);
  static int caret(const Fl_Input& field);
  static void setCaret(Fl_Input& field, int offset);
  static ScreenBox characterBox(const Fl_Input& field, int offset);
  static void replace(Fl_Input& field, int start, int end, const std::string& text);
};

}  // namespace fltkhost
