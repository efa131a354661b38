#include "hosts/fltk/text_widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "hosts/core/dialog_text.h"
#include "hosts/fltk/fltk_canvas.h"
#include "toolkit/utf8.h"

namespace fltkhost {

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\r') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

// Where FLTK's field puts its text inside the box.
constexpr int kTextInset = 3;

// The number of characters in text before a byte offset of FLTK's field.
std::size_t charactersBefore(const std::string& text, int byte) {
  const auto end = std::min(text.size(), static_cast<std::size_t>(std::max(byte, 0)));
  return toolkit::decodeUtf8(std::string_view(text).substr(0, end)).size();
}

// The byte offset of FLTK's field that stands before that many characters of text.
int byteOf(const std::string& text, std::size_t characters) {
  std::size_t at = 0;
  for (; characters > 0 && at < text.size(); --characters) {
    at += toolkit::utf8CharacterSize(text, at);
  }
  return static_cast<int>(at);
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
  text_ = text;
  label_ = labelText(text);
  label(label_.c_str());
}

void TextBox::draw() {
  std::vector<TextLine> lines;
  bool plain = true;
  for (const std::string& line : linesOf(text_)) {
    lines.push_back(fonts_.text().layout(line, labelfont(), labelsize()));
    plain = plain && lines.back().plain();
  }
  if (plain) {
    Fl_Box::draw();
    return;
  }
  draw_box();
  const int left = x() + Fl::box_dx(box()) + 3;
  const int top = y() + Fl::box_dy(box());
  fl_color(labelcolor());
  fl_push_clip(x(), y(), w(), h());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].draw(left, top + static_cast<int>(i + 1) * fl_height() - fl_descent());
  }
  fl_pop_clip();
}

int TextInput::textLeft() const {
  return x() + Fl::box_dx(box()) + kTextInset;
}

int TextInput::handle(int event) {
  if (event == FL_PUSH || event == FL_DRAG) {
    const std::string text = Fl_Input::value();
    const TextLine line = fonts_.text().layout(text, textfont(), textsize());
    if (!line.plain()) {
      if (event == FL_PUSH && Fl::focus() != this) take_focus();
      const std::size_t at = line.geometry.positionAt(Fl::event_x() - textLeft() + scroll_);
      const int byte = byteOf(text, at);
      const bool extend = event == FL_DRAG || (Fl::event_state(FL_SHIFT) != 0);
      position(byte, extend ? mark() : byte);
      redraw();
      return 1;
    }
  }
  const int used = Fl_Input::handle(event);
  // FLTK redraws only the changed part of a field; a field drawn here is redrawn whole.
  if (used != 0) redraw();
  return used;
}

void TextInput::draw() {
  const std::string text = Fl_Input::value();
  const TextLine line = fonts_.text().layout(text, textfont(), textsize());
  if (line.plain()) {
    Fl_Input::draw();
    return;
  }
  draw_box(box(), color());
  const int left = x() + Fl::box_dx(box());
  const int top = y() + Fl::box_dy(box());
  const int width = w() - Fl::box_dw(box());
  const int height = h() - Fl::box_dh(box());
  const int textTop = top + (height - fl_height()) / 2;
  const int baseline = textTop + fl_height() - fl_descent();
  const std::size_t caret = charactersBefore(text, position());
  const std::size_t other = charactersBefore(text, mark());
  scroll_ = scrollFor(line.geometry.caretX(caret), line.width, width - kTextInset, scroll_);
  const double origin = textLeft() - scroll_;
  fl_push_clip(left, top, width, height);
  fl_color(textcolor());
  line.draw(origin, baseline);
  const bool focused = Fl::focus() == this;
  for (const auto& [from, to] :
       focused ? line.geometry.selection(caret, other) : std::vector<std::pair<double, double>>{}) {
    // The selected characters again, in the contrasting colour over the selection's.
    const int spanLeft = static_cast<int>(std::lround(origin + from));
    const int spanWidth = static_cast<int>(std::lround(origin + to)) - spanLeft;
    fl_push_clip(spanLeft, textTop, spanWidth, fl_height());
    fl_color(selection_color());
    fl_rectf(spanLeft, textTop, spanWidth, fl_height());
    fl_color(fl_contrast(textcolor(), selection_color()));
    line.draw(origin, baseline);
    fl_pop_clip();
  }
  if (focused && caret == other) {
    fl_color(cursor_color());
    fl_rectf(static_cast<int>(std::lround(origin + line.geometry.caretX(caret))), textTop, 2,
             fl_height());
  }
  fl_pop_clip();
}

int widestFallbackLine(const Fonts& fonts, const std::string& text, Fl_Font font, int pixels) {
  double widest = 0;
  bool plain = true;
  for (const std::string& line : linesOf(text)) {
    const TextLine laid = fonts.text().layout(line, font, pixels);
    plain = plain && laid.plain();
    widest = std::max(widest, laid.width);
  }
  return plain ? -1 : static_cast<int>(std::ceil(widest));
}

}  // namespace fltkhost
