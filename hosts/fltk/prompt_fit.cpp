#include "hosts/fltk/prompt_fit.h"

namespace fltkhost {

bool promptFitsUnmeasured(std::string_view prompt) {
  int lines = 1;
  int lineChars = 0;
  for (const char c : prompt) {
    if (c == '\r') {
      ++lines;
      lineChars = 0;
    } else if (c < ' ' || c > '~') {
      // Other control characters and anything beyond ASCII could be drawn wider than the
      // bound, possibly from another font.
      return false;
    } else {
      ++lineChars;
    }
    if (lines > kUnmeasuredLines || lineChars > kUnmeasuredLineChars) return false;
  }
  return true;
}

}  // namespace fltkhost
