#include "hosts/fltk/atk_field.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <algorithm>

namespace fltkhost {

std::string FieldReader::text(const Fl_Input& field) {
  return field.value() != nullptr ? field.value() : "";
}

int FieldReader::caret(const Fl_Input& field) {
  return characterCount(text(field).substr(0, static_cast<std::size_t>(field.position())));
}

void FieldReader::setCaret(Fl_Input& field, int offset) {
  const int at = static_cast<int>(byteOfCharacter(text(field), offset));
  field.position(at, at);
}

// Where FLTK's field puts a character: after the box's edge and FLTK's three pixels of margin,
// the width of the text before it in the field's font.
ScreenBox FieldReader::characterBox(const Fl_Input& field, int offset) {
  const std::string all = text(field);
  const int count = characterCount(all);
  if (offset < 0 || offset >= count || field.window() == nullptr) return {};
  const std::size_t from = byteOfCharacter(all, offset);
  const std::size_t to = byteOfCharacter(all, offset + 1);
  fl_font(field.textfont(), field.textsize());
  const int left = static_cast<int>(fl_width(all.c_str(), static_cast<int>(from)));
  const int width = static_cast<int>(fl_width(all.c_str() + from, static_cast<int>(to - from)));
  const int x = field.window()->x() + field.x() + Fl::box_dx(field.box()) + 3 + left;
  const int h = fl_height();
  const int y = field.window()->y() + field.y() + (field.h() - h) / 2;
  return {x, y, std::max(width, 1), h};
}

void FieldReader::replace(Fl_Input& field, int start, int end, const std::string& text) {
  const std::string all = FieldReader::text(field);
  const auto from = static_cast<int>(byteOfCharacter(all, start));
  const auto to = static_cast<int>(byteOfCharacter(all, end));
  field.replace(from, to, text.c_str(), static_cast<int>(text.size()));
  field.redraw();
}

}  // namespace fltkhost
