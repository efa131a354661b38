#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Input.H>
#include <string>

namespace fltkhost {

class Fonts;
class TextLine;

// A label of one or more lines (carriage returns break them) whose characters all show, in the
// layout's font where it has them and in another installed font where not. Text that the label
// font draws alone is drawn by FLTK itself, exactly as a plain label.
class TextBox : public Fl_Box {
 public:
  // Made by the dialogs; the fonts must outlive the box.
  TextBox(const Fonts& fonts, int x, int y, int w, int h) : Fl_Box(x, y, w, h), fonts_(fonts) {}
  // Called by the dialog that owns the box: its text, with carriage returns as line breaks.
  void text(const std::string& text);
  // Called by FLTK whenever the box is shown or changes; changes nothing but the screen.
  void draw() override;

 private:
  // Owned by main, like every user of the fonts.
  const Fonts& fonts_;
  // Owned by the box: the label as FLTK reads it, and the lines as they are drawn.
  std::string label_;
  std::string text_;
};

// The input box's text field: while a name is typed, every character of it shows, as in the
// window afterwards. Text that the field's font draws alone is drawn and edited by FLTK itself;
// any other is laid out by Pango and scrolled, with the caret, the selection, the mouse and the
// arrow keys placed from where its characters stand. Other keys, and text from the input
// method, edit both alike, as FLTK's own field does.
class TextInput : public Fl_Input {
 public:
  // Made by the input box; the fonts must outlive the field.
  TextInput(const Fonts& fonts, int x, int y, int w, int h) : Fl_Input(x, y, w, h), fonts_(fonts) {}
  // Called by FLTK for each event: edits as FLTK's own field does, placing the caret for a
  // click, a double click (a word), a drag or an arrow key on laid-out text itself; then asks
  // for a whole redraw.
  int handle(int event) override;
  // Called by FLTK whenever the field changes; scrolls laid-out text so the caret shows, and
  // puts the input method's window at the caret.
  void draw() override;

  // For the accessibility bridge; they change nothing but FLTK's current font. The text, the
  // caret as a byte offset into it and as a count of characters before it, and where the
  // character with that index (counted in characters) stands, in the window's coordinates;
  // all zero past the end.
  std::string text() const { return value(); }
  int caretByte() const { return position(); }
  int caretCharacter() const;
  struct Box {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
  };
  Box characterBox(int index) const;

 private:
  // Called by handle() for a press, a drag or a key: places the caret itself when the line is
  // laid out by Pango and the event moves the caret, and says whether it did.
  bool placeCaret(const TextLine& line, int event);
  // The left end of the text area on screen, before scrolling, and its top (with the field's
  // font selected).
  int textLeft() const;
  int textTop() const;
  // Owned by main, like every user of the fonts.
  const Fonts& fonts_;
  // Owned by the field: how many pixels of laid-out text are scrolled out on the left, set as
  // it is drawn and read by the mouse.
  double scroll_ = 0;
};

// Called by the dialogs and their labels: the text as an FLTK label shows it, with the game's
// carriage returns as line breaks and every "@" doubled, since FLTK's labels read "@" as the
// start of a symbol. Changes nothing.
std::string labelText(const std::string& text);

// Called by the message box before it is built: the width in pixels of the widest line of the
// text (carriage returns break lines) as drawn in that font, or -1 when the font draws all of it
// alone and FLTK's own measuring holds. Leaves that font selected.
int widestFallbackLine(const Fonts& fonts, const std::string& text, Fl_Font font, int pixels);

}  // namespace fltkhost
