#include "hosts/fltk/atk_field.h"

#include <FL/Fl_Window.H>

#include <algorithm>

#include "hosts/fltk/text_widgets.h"

namespace fltkhost {

std::string FieldReader::text(const TextInput& field) {
  return field.value();
}

int FieldReader::caret(const TextInput& field) {
  return characterCount(text(field).substr(0, static_cast<std::size_t>(field.position())));
}

std::pair<int, int> FieldReader::selection(const TextInput& field) {
  const std::string all = text(field);
  const auto characters = [&all](int byte) {
    return characterCount(all.substr(0, static_cast<std::size_t>(byte)));
  };
  return std::minmax(characters(field.position()), characters(field.mark()));
}

void FieldReader::setCaret(TextInput& field, int offset) {
  const int at = static_cast<int>(byteOfCharacter(text(field), offset));
  field.position(at, at);
}

// The field gives the box in its window; a screen reader wants it on the screen.
ScreenBox FieldReader::characterBox(const TextInput& field, int offset) {
  const std::string all = text(field);
  const std::size_t byte = byteOfCharacter(all, offset);
  if (offset < 0 || byte >= all.size() || field.window() == nullptr) return {};
  const toolkit::PixelRect box = field.characterBox(static_cast<int>(byte));
  if (box.w <= 0) return {};
  return {field.window()->x() + box.x, field.window()->y() + box.y, box.w, box.h};
}

void FieldReader::replace(TextInput& field, int start, int end, const std::string& text) {
  const std::string all = field.value();
  const auto from = static_cast<int>(byteOfCharacter(all, start));
  const auto to = static_cast<int>(byteOfCharacter(all, end));
  field.replace(from, to, text.c_str(), static_cast<int>(text.size()));
  field.redraw();
}

}  // namespace fltkhost
