#include "game/text.h"

#include "toolkit/utf8.h"

std::string firstCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t taken = 0; taken < count && end < text.size(); ++taken) {
    end += toolkit::utf8CharacterSize(text, end);
  }
  return std::string(text.substr(0, end));
}
