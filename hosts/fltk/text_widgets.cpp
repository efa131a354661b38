#include "hosts/fltk/text_widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <algorithm>
#include <cmath>

#include "hosts/core/dialog_text.h"
#include "hosts/fltk/field_scroll.h"
#include "hosts/fltk/fltk_canvas.h"

namespace fltkhost {

namespace {

// Where FLTK's field puts its text inside the box: a pixel after the box's edge.
constexpr int kTextInset = 1;

int rounded(double x) {
  return static_cast<int>(std::lround(x));
}

// The input method shows the text being composed and its candidates at the spot given to it:
// the caret's bottom, so that its window stands below the text being typed, not over its foot.
void setInputMethodSpot(const Fl_Input& field, int caret, int caretTop) {
  fl_set_spot(field.textfont(), field.textsize(), caret, caretTop + fl_height(),
              field.w() - Fl::box_dw(field.box()), field.h() - Fl::box_dh(field.box()),
              field.window());
}

}  // namespace

std::string labelText(const std::string& text) {
  std::string out;
  for (char c : windowcore::withLineBreaks(text, "\n")) {
    out += c;
    if (c == '@') out += '@';
  }
  return out;
}

void TextBox::text(const std::string& text) {
  text_ = windowcore::withLineBreaks(text, "\n");
  copy_label(labelText(text).c_str());
}

void TextBox::draw() {
  if (fonts_.text().layout(text_, labelfont(), labelsize()).plain()) {
    Fl_Box::draw();
    return;
  }
  draw_box();
  fl_color(labelcolor());
  fl_push_clip(x(), y(), w(), h());
  // Lines as far apart as FLTK sets them, which the dialog measured.
  int baseline = y() + Fl::box_dy(box()) + fl_height() - fl_descent();
  for (std::size_t start = 0; start <= text_.size(); baseline += fl_height()) {
    const std::size_t end = std::min(text_.find('\n', start), text_.size());
    fonts_.text()
        .layout(std::string_view(text_).substr(start, end - start), labelfont(), labelsize())
        .draw(x() + Fl::box_dx(box()) + 3, baseline);
    start = end + 1;
  }
  fl_pop_clip();
}

int TextInput::textLeft() const {
  return x() + Fl::box_dx(box()) + kTextInset;
}

int TextInput::textTop() const {
  return y() + Fl::box_dy(box()) + (h() - Fl::box_dh(box()) - fl_height()) / 2;
}

int TextInput::handle(int event) {
  if ((event == FL_PUSH || event == FL_DRAG || event == FL_KEYBOARD) &&
      placeCaret(fonts_.text().layout(value(), textfont(), textsize()), event)) {
    redraw();
    return 1;
  }
  const int used = Fl_Input::handle(event);
  // FLTK redraws only the changed part of a field; a field drawn here is redrawn whole.
  if (used != 0) redraw();
  return used;
}

bool TextInput::placeCaret(const TextLine& line, int event) {
  const int key = Fl::event_key();
  if (line.plain()) return false;
  int at = 0;
  if (event == FL_KEYBOARD) {
    if ((key != FL_Left && key != FL_Right) || Fl::event_state(FL_CTRL | FL_ALT | FL_META) != 0) {
      return false;
    }
    // In logical order, as in FLTK's field, but a letter and its marks are passed together.
    at = line.step(position(), key == FL_Right);
  } else {
    if (event == FL_PUSH && Fl::focus() != this) take_focus();
    at = line.offsetAt(Fl::event_x() - textLeft() + scroll_);
    if (event == FL_PUSH && Fl::event_clicks() > 0) {
      const auto [start, end] = line.wordAt(at);
      position(end, start);
      return true;
    }
  }
  position(at, event == FL_DRAG || Fl::event_state(FL_SHIFT) != 0 ? mark() : at);
  return true;
}

void TextInput::draw() {
  const TextLine line = fonts_.text().layout(value(), textfont(), textsize());
  if (line.plain()) {
    Fl_Input::draw();
    // FLTK's field gives the input method its baseline; the spot moves down to the caret's foot.
    if (Fl::focus() == this) {
      setInputMethodSpot(*this, rounded(textLeft() - xscroll() + fl_width(value(), position())),
                         textTop());
    }
    return;
  }
  draw_box(box(), color());
  const int width = w() - Fl::box_dw(box());
  const int height = h() - Fl::box_dh(box());
  const int top = textTop();
  const int baseline = top + fl_height() - fl_descent();
  scroll_ = scrollFor(line.caretX(position()), line.width(), width - kTextInset, scroll_);
  const double origin = textLeft() - scroll_;
  fl_push_clip(x() + Fl::box_dx(box()), y() + Fl::box_dy(box()), width, height);
  fl_color(textcolor());
  line.draw(origin, baseline);
  const bool focused = Fl::focus() == this;
  for (const auto& [from, to] : line.selection(position(), focused ? mark() : position())) {
    // The selected characters again, in the contrasting colour over the selection's.
    const int left = rounded(origin + from);
    fl_push_clip(left, top, rounded(origin + to) - left, fl_height());
    fl_rectf(left, top, rounded(origin + to) - left, fl_height(), selection_color());
    fl_color(fl_contrast(textcolor(), selection_color()));
    line.draw(origin, baseline);
    fl_pop_clip();
  }
  const int caret = rounded(origin + line.caretX(position()));
  if (focused && position() == mark()) fl_rectf(caret, top, 2, fl_height(), cursor_color());
  fl_pop_clip();
  if (focused) setInputMethodSpot(*this, caret, top);
}

toolkit::PixelRect TextInput::characterBox(int byte) const {
  const TextLine line = fonts_.text().layout(value(), textfont(), textsize());
  const double origin = textLeft() - (line.plain() ? xscroll() : scroll_);
  const auto [left, right] = line.characterSpan(byte);
  return {rounded(origin + left), textTop(), rounded(origin + right) - rounded(origin + left),
          fl_height()};
}

int widestFallbackLine(const Fonts& fonts, const std::string& text, Fl_Font font, int pixels) {
  const TextLine lines = fonts.text().layout(windowcore::withLineBreaks(text, "\n"), font, pixels);
  return lines.plain() ? -1 : static_cast<int>(std::ceil(lines.width()));
}

}  // namespace fltkhost
