#include <gtest/gtest.h>

#include "hosts/fltk/field_scroll.h"

namespace {

using fltkhost::scrollFor;

TEST(FieldScroll, ScrollingKeepsTheCaretInTheField) {
  // A line that fits is never scrolled.
  EXPECT_DOUBLE_EQ(scrollFor(30, 30, 100, 0), 0);
  // Typing on past the right end: the caret stays inside, the line's end just in view.
  EXPECT_DOUBLE_EQ(scrollFor(500, 500, 100, 0), 404);
  // Going back left keeps a margin before the caret, then home scrolls back to the start.
  EXPECT_DOUBLE_EQ(scrollFor(390, 500, 100, 404), 370);
  EXPECT_DOUBLE_EQ(scrollFor(0, 500, 100, 370), 0);
  // After deleting, no room is left after the end of the text.
  EXPECT_DOUBLE_EQ(scrollFor(300, 300, 100, 404), 204);
  for (double caret = 0, scroll = 0; caret <= 500; caret += 7) {
    scroll = scrollFor(caret, 500, 100, scroll);
    EXPECT_GE(caret - scroll, 0);
    EXPECT_LE(caret - scroll, 100 - 2);
  }
}

}  // namespace
