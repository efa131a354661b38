#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "hosts/fltk/line_layout.h"

namespace {

using fltkhost::LineLayout;
using fltkhost::scrollFor;
using Spans = std::vector<std::pair<double, double>>;

// "Ann مرحبا" as the shaper gives it: "Ann " left to right, with "nn" drawn as one glyph 20
// pixels wide, then the Arabic word right to left, its last letter (index 8) leftmost; every
// other glyph is 10 pixels wide, and "رح" (indices 5 and 6) is one 20-pixel ligature.
LineLayout mixedName() {
  return LineLayout(9, {{{0, 0, 4, false}, {{1, 0, 10}, {2, 1, 20}, {3, 3, 10}}},
                        {{1, 4, 9, true}, {{4, 8, 10}, {5, 7, 10}, {6, 5, 20}, {7, 4, 10}}}});
}

TEST(LineLayout, CaretStandsWhereTheNextLetterOfItsScriptAppears) {
  const LineLayout line = mixedName();
  EXPECT_DOUBLE_EQ(line.width(), 90);
  // Left to right: after each character; inside "nn" half way.
  EXPECT_DOUBLE_EQ(line.caretX(0), 0);
  EXPECT_DOUBLE_EQ(line.caretX(2), 20);
  EXPECT_DOUBLE_EQ(line.caretX(4), 40);
  // Right to left: after meem (the rightmost, 80 to 90) comes its left side, and so on leftwards.
  EXPECT_DOUBLE_EQ(line.caretX(5), 80);
  EXPECT_DOUBLE_EQ(line.caretX(6), 70);
  EXPECT_DOUBLE_EQ(line.caretX(7), 60);
  // At the end, the left end of the Arabic word, where the next Arabic letter goes.
  EXPECT_DOUBLE_EQ(line.caretX(9), 40);
  // A word wholly right to left starts at its right end.
  const LineLayout arabic(2, {{{1, 0, 2, true}, {{4, 1, 7}, {5, 0, 9}}}});
  EXPECT_DOUBLE_EQ(arabic.caretX(0), 16);
  EXPECT_DOUBLE_EQ(arabic.caretX(1), 7);
  EXPECT_DOUBLE_EQ(arabic.caretX(2), 0);
  EXPECT_DOUBLE_EQ(LineLayout().caretX(0), 0);
}

TEST(LineLayout, SelectionCoversOnlyTheSelectedCharacters) {
  const LineLayout line = mixedName();
  // The last two Arabic letters, selected from the end: the left of the word only.
  EXPECT_EQ(line.selection(9, 7), (Spans{{40, 60}}));
  EXPECT_EQ(line.selection(7, 9), (Spans{{40, 60}}));
  // Across the change of direction: the end of "Ann " and the right end of the Arabic word.
  EXPECT_EQ(line.selection(2, 6), (Spans{{20, 40}, {70, 90}}));
  EXPECT_EQ(line.selection(0, 9), (Spans{{0, 90}}));
  EXPECT_TRUE(line.selection(3, 3).empty());
}

TEST(LineLayout, ClickGoesToTheNearestCharacterBoundary) {
  const LineLayout line = mixedName();
  EXPECT_EQ(line.positionAt(-5), 0u);
  EXPECT_EQ(line.positionAt(4), 0u);
  EXPECT_EQ(line.positionAt(6), 1u);
  EXPECT_EQ(line.positionAt(21), 2u);
  EXPECT_EQ(line.positionAt(61), 7u);
  // The right end of the Arabic word is where a letter typed after "Ann " would go.
  EXPECT_EQ(line.positionAt(200), 4u);
}

TEST(LineLayout, ScrollingKeepsTheCaretInTheField) {
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
