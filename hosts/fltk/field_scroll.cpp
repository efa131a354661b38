#include "hosts/fltk/field_scroll.h"

#include <algorithm>

namespace fltkhost {

double scrollFor(double caret, double lineWidth, double fieldWidth, double scroll) {
  // As FLTK's own field: some text stays in view beyond the caret, the caret's width after it.
  const double margin = std::min(20.0, fieldWidth / 3);
  constexpr double kCaretRoom = 4;
  if (caret > scroll + fieldWidth - margin) {
    scroll = caret + margin - fieldWidth;
  } else if (caret < scroll + margin) {
    scroll = caret - margin;
  }
  return std::max(0.0, std::min(scroll, lineWidth + kCaretRoom - fieldWidth));
}

}  // namespace fltkhost
