#include "i18n/format.h"

namespace i18n {

std::string format(std::string_view pattern, std::string_view text, long number) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 >= pattern.size()) {
      out += pattern[i];
      continue;
    }
    std::size_t at = i + 1;
    // An argument's place ("1$", "2$") says nothing here: the conversion names the value.
    if (at + 1 < pattern.size() && pattern[at] >= '1' && pattern[at] <= '9' &&
        pattern[at + 1] == '$') {
      at += 2;
    }
    const char conversion = at < pattern.size() ? pattern[at] : '\0';
    if (conversion == 's') {
      out += text;
    } else if (conversion == 'd') {
      out += std::to_string(number);
    } else if (conversion == '%') {
      out += '%';
    } else {
      out += pattern[i];
      continue;
    }
    i = at;
  }
  return out;
}

}  // namespace i18n
