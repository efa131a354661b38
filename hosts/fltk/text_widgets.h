#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Input.H>
#include <string>

#include "toolkit/style.h"

namespace fltkhost {

class Fonts;
class TextLine;

// A label of one or more lines (carriage returns break them) whose characters all show, in the
// label's font where it has them and in another installed font where not. Text that the label
// font draws alone is drawn by FLTK itself. Made by the dialogs; the fonts must outlive it.
class TextBox : public Fl_Box {
 public:
  TextBox(const Fonts& fonts, int x, int y, int w, int h) : Fl_Box(x, y, w, h), fonts_(fonts) {}
  // Called by the dialog that owns the box.
  void text(const std::string& text);
  void draw() override;

 private:
  const Fonts& fonts_;
  // The text as the dialog gave it, with line feeds for its line breaks.
  std::string text_;
};

// The input box's text field: every character of a name shows while it is typed, as in the
// window afterwards. Text the field's font draws alone is drawn and edited by FLTK itself; any
// other is laid out by Pango and scrolled, and the caret, the selection, the mouse and the arrow
// keys go by where its characters stand. Other keys, and text from the input method, edit both
// alike, as FLTK's own field does. Made by the input box; the fonts must outlive it.
class TextInput : public Fl_Input {
 public:
  TextInput(const Fonts& fonts, int x, int y, int w, int h) : Fl_Input(x, y, w, h), fonts_(fonts) {}
  // A double click selects a word; every event that changes the field redraws it whole.
  int handle(int event) override;
  // Also puts the input method's window at the caret.
  void draw() override;

  // For the accessibility bridge; changes nothing but FLTK's current font: the box, in the
  // window's coordinates, of the character that starts at that byte (inside the text).
  toolkit::PixelRect characterBox(int byte) const;

 private:
  // For a press, a drag or a key on text laid out by Pango: moves the caret itself when the
  // event is one that moves it, and says whether it did.
  bool placeCaret(const TextLine& line, int event);
  // The left end of the text before scrolling, and the top of the text (for the field's font).
  int textLeft() const;
  int textTop() const;
  const Fonts& fonts_;
  // How many pixels of text laid out by Pango are scrolled out on the left: set as the field is
  // drawn, read by the mouse.
  double scroll_ = 0;
};

// Called by the dialogs: the text as an FLTK label shows it, with the game's carriage returns as
// line breaks and every "@" doubled, since FLTK's labels read "@" as the start of a symbol.
std::string labelText(const std::string& text);

// Called by the message box before it is built: the width in pixels of the widest line of the
// text as drawn in that font, or -1 when the font draws all of it alone and FLTK's own measuring
// holds. Leaves that font selected.
int widestFallbackLine(const Fonts& fonts, const std::string& text, Fl_Font font, int pixels);

}  // namespace fltkhost
