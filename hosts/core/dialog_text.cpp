#include "hosts/core/dialog_text.h"

namespace windowcore {

std::string withLineBreaks(std::string_view text, std::string_view lineBreak) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += lineBreak;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace windowcore
