#include "hosts/fltk/text_widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <algorithm>
#include <cmath>
#include <vector>

#include "hosts/core/dialog_text.h"
#include "hosts/fltk/fltk_canvas.h"

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

int TextInput::handle(int event) {
  const int used = Fl_Input::handle(event);
  // FLTK redraws only the changed part of a field; a field drawn here is redrawn whole.
  if (used != 0) redraw();
  return used;
}

void TextInput::draw() {
  const std::string value = Fl_Input::value();
  const TextLine line = fonts_.text().layout(value, textfont(), textsize());
  if (line.plain()) {
    Fl_Input::draw();
    return;
  }
  draw_box(box(), color());
  const int left = x() + Fl::box_dx(box());
  const int top = y() + Fl::box_dy(box());
  const int width = w() - Fl::box_dw(box());
  const int height = h() - Fl::box_dh(box());
  const int textLeft = left + 3;
  const int textTop = top + (height - fl_height()) / 2;
  fl_push_clip(left, top, width, height);
  const bool focused = Fl::focus() == this;
  const bool selected = focused && position() != mark();
  if (selected) {
    fl_color(selection_color());
    fl_rectf(textLeft, textTop, static_cast<int>(std::lround(line.width)), fl_height());
  }
  fl_color(selected ? fl_contrast(textcolor(), selection_color()) : textcolor());
  line.draw(textLeft, textTop + fl_height() - fl_descent());
  if (focused && !selected) {
    const std::size_t at =
        std::min<std::size_t>(static_cast<std::size_t>(position()), value.size());
    const TextLine before = fonts_.text().layout(value.substr(0, at), textfont(), textsize());
    fl_color(cursor_color());
    fl_rectf(textLeft + static_cast<int>(std::lround(before.width)), textTop, 2, fl_height());
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
