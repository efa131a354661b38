#pragma once

#include <string>
#include <utility>

#include "hosts/fltk/atk_peer.h"

namespace fltkhost {

class TextInput;

// The input box's field as the accessibility bridge reads and edits it: its text, its caret as
// a character offset, one character's rectangle on the screen (where the field's own layout
// puts it, scrolled and shaped), and a replacement of characters.
struct FieldReader {
  static std::string text(const TextInput& field);
  static int caret(const TextInput& field);
  // The selected characters, in order.
  static std::pair<int, int> selection(const TextInput& field);
  static void setCaret(TextInput& field, int offset);
  static ScreenBox characterBox(const TextInput& field, int offset);
  static void replace(TextInput& field, int start, int end, const std::string& text);
};

}  // namespace fltkhost
