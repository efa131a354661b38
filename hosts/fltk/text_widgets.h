#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Input.H>
#include <string>

namespace fltkhost {

class Fonts;

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
// any other is drawn shaped, in visual order, and scrolled, with the caret, selection and mouse
// placed from where its characters stand. Keys edit both alike, as FLTK's own field does.
class TextInput : public Fl_Input {
 public:
  // Made by the input box; the fonts must outlive the field.
  TextInput(const Fonts& fonts, int x, int y, int w, int h) : Fl_Input(x, y, w, h), fonts_(fonts) {}
  // Called by FLTK for each event: edits as FLTK's own field does, placing the caret for a click
  // or drag on shaped text itself, then asks for a whole redraw.
  int handle(int event) override;
  // Called by FLTK whenever the field changes; scrolls shaped text so the caret shows.
  void draw() override;

 private:
  // The left end of the text area on screen, before scrolling.
  int textLeft() const;
  // Owned by main, like every user of the fonts.
  const Fonts& fonts_;
  // Owned by the field: how many pixels of shaped text are scrolled out on the left, set as it
  // is drawn and read by the mouse.
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
