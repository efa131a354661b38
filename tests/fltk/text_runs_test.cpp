#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/fltk/text_runs.h"

namespace {

using fltkhost::splitRuns;
using fltkhost::TextRun;

// A stand-in for fontconfig: the layout's font (0) has Latin, Greek, Cyrillic and Hebrew; font 1
// has the CJK ideographs; font 2 has anything else.
int faceOf(char32_t c) {
  if (c < 0x600) return 0;
  if (c >= 0x4E00 && c <= 0x9FFF) return 1;
  return 2;
}

TEST(TextRuns, LeftToRightTextKeepsItsOrder) {
  EXPECT_EQ(splitRuns(U"Ann roll! [3 rolls left]", faceOf),
            (std::vector<TextRun>{{0, 0, 24, false}}));
  EXPECT_EQ(splitRuns(U"\u0928\u092e\u0938\u094d\u0924\u0947", faceOf),
            (std::vector<TextRun>{{2, 0, 6, false}}));
  EXPECT_TRUE(splitRuns(U"", faceOf).empty());
}

TEST(TextRuns, RightToLeftNamesReadInTheirOrderInsideEnglishCaptions) {
  // The Hebrew name is one right-to-left run at the left, the caption after it left to right.
  EXPECT_EQ(splitRuns(U"\u05e9\u05e8\u05d4 roll! [3 rolls left]", faceOf),
            (std::vector<TextRun>{{0, 0, 3, true}, {0, 3, 24, false}}));
  EXPECT_EQ(splitRuns(U"Ann \u05d3\u05d5\u05d3", faceOf),
            (std::vector<TextRun>{{0, 0, 4, false}, {0, 4, 7, true}}));
  // Two right-to-left words: the second (typed later) shows on the left, and the space between
  // them, in the layout's font, reads right to left too.
  EXPECT_EQ(splitRuns(U"\u0645\u0631 \u0633\u0644", faceOf),
            (std::vector<TextRun>{{2, 3, 5, true}, {0, 2, 3, true}, {2, 0, 2, true}}));
}

TEST(TextRuns, RunsFollowTheFontThatHasEachCharacter) {
  EXPECT_EQ(splitRuns(U"\u674e\u96f7\u03a9\u0436 roll!", faceOf),
            (std::vector<TextRun>{{1, 0, 2, false}, {0, 2, 10, false}}));
  EXPECT_EQ(splitRuns(U"a\u674eb\u96f7", faceOf),
            (std::vector<TextRun>{
                {0, 0, 1, false}, {1, 1, 2, false}, {0, 2, 3, false}, {1, 3, 4, false}}));
  // Arabic and Chinese after a Latin name: the Arabic word is reversed as a whole run.
  EXPECT_EQ(splitRuns(U"Li \u0645\u0631\u064a\u0645\u674e", faceOf),
            (std::vector<TextRun>{{0, 0, 3, false}, {2, 3, 7, true}, {1, 7, 8, false}}));
}

TEST(TextRuns, MarksAndJoinersStayWithTheCharacterBeforeThem) {
  const auto byRange = [](char32_t c) { return c < 0x80 ? 0 : 1; };
  // A Latin e with a combining acute accent is one letter, drawn by one font.
  EXPECT_EQ(splitRuns(U"Zoe\u0301", byRange), (std::vector<TextRun>{{0, 0, 4, false}}));
  // A family emoji joined by zero-width joiners, and a heart with its emoji selector.
  EXPECT_EQ(splitRuns(U"A\U0001F468\u200d\U0001F469 \u2764\ufe0f", byRange),
            (std::vector<TextRun>{
                {0, 0, 1, false}, {1, 1, 4, false}, {0, 4, 5, false}, {1, 5, 7, false}}));
  // A mark at the very start has no character before it and takes its own font.
  EXPECT_EQ(splitRuns(U"\u0301a", byRange),
            (std::vector<TextRun>{{1, 0, 1, false}, {0, 1, 2, false}}));
  // An Arabic vowel mark stays inside its word's run, whose direction it takes.
  EXPECT_EQ(splitRuns(U"\u0645\u064e\u0631", faceOf), (std::vector<TextRun>{{2, 0, 3, true}}));
}

}  // namespace
