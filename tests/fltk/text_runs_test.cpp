#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/fltk/text_runs.h"

namespace {

using fltkhost::splitRuns;
using fltkhost::TextRun;
using fltkhost::visualOrder;

TEST(TextRuns, LeftToRightTextKeepsItsOrder) {
  for (const char32_t* text : {U"Ann roll! [3 rolls left]", U"\u674e\u96f7\u03a9\u0436",
                               U"\u0928\u092e\u0938\u094d\u0924\u0947", U""}) {
    EXPECT_EQ(visualOrder(text), std::u32string(text));
  }
}

TEST(TextRuns, RightToLeftNamesReadInTheirOrderInsideEnglishCaptions) {
  // Hebrew letters are drawn from the right: on screen, from the left, the last comes first.
  EXPECT_EQ(visualOrder(U"\u05e9\u05e8\u05d4 roll! [3 rolls left]"),
            std::u32string(U"\u05d4\u05e8\u05e9 roll! [3 rolls left]"));
  EXPECT_EQ(visualOrder(U"Ann \u05d3\u05d5\u05d3"), std::u32string(U"Ann \u05d3\u05d5\u05d3"));
  EXPECT_EQ(visualOrder(U"Ann \u05d0\u05d1\u05d2"), std::u32string(U"Ann \u05d2\u05d1\u05d0"));
}

TEST(TextRuns, ArabicLettersAreJoined) {
  // Maryam: meem (initial), reh (final; it joins nothing after it), yeh (initial), meem (final),
  // shown right to left.
  EXPECT_EQ(visualOrder(U"\u0645\u0631\u064a\u0645"), std::u32string(U"\ufee2\ufef3\ufeae\ufee3"));
  // Lam followed by alef becomes one ligature, not two letters.
  EXPECT_EQ(visualOrder(U"\u0644\u0627"), std::u32string(U"\ufefb"));
}

TEST(TextRuns, RunsFollowTheFontThatHasEachCharacter) {
  // A stand-in for fontconfig: the layout's font (0) has Latin, Greek and Cyrillic; font 1 has
  // the CJK ideographs; font 2 has anything else.
  const auto faceOf = [](char32_t c) {
    if (c < 0x500) return 0;
    if (c >= 0x4E00 && c <= 0x9FFF) return 1;
    return 2;
  };
  EXPECT_EQ(splitRuns(U"\u674e\u96f7\u03a9\u0436 roll!", faceOf),
            (std::vector<TextRun>{{1, "\u674e\u96f7"}, {0, "\u03a9\u0436 roll!"}}));
  EXPECT_EQ(splitRuns(U"Ann", faceOf), (std::vector<TextRun>{{0, "Ann"}}));
  EXPECT_TRUE(splitRuns(U"", faceOf).empty());
  EXPECT_EQ(splitRuns(U"a\u674eb\u96f7", faceOf),
            (std::vector<TextRun>{{0, "a"}, {1, "\u674e"}, {0, "b"}, {1, "\u96f7"}}));
}

TEST(TextRuns, MarksAndJoinersStayWithTheCharacterBeforeThem) {
  const auto faceOf = [](char32_t c) { return c < 0x80 ? 0 : 1; };
  // A Latin e with a combining acute accent is one letter, drawn by one font.
  EXPECT_EQ(splitRuns(U"Zoe\u0301", faceOf), (std::vector<TextRun>{{0, "Zoe\u0301"}}));
  // A family emoji joined by zero-width joiners, and a heart with its emoji selector.
  EXPECT_EQ(splitRuns(U"A\U0001F468\u200d\U0001F469 \u2764\ufe0f", faceOf),
            (std::vector<TextRun>{
                {0, "A"}, {1, "\U0001F468\u200d\U0001F469"}, {0, " "}, {1, "\u2764\ufe0f"}}));
  // A mark at the very start has no character before it and takes its own font.
  EXPECT_EQ(splitRuns(U"\u0301a", faceOf), (std::vector<TextRun>{{1, "\u0301"}, {0, "a"}}));
}

}  // namespace
