#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "game/numbers.h"
#include "game/text.h"

TEST(TextToNumber, ReadsTheNumberTheTextStartsWith) {
  EXPECT_EQ(textToNumber("35"), 35);
  EXPECT_EQ(textToNumber("  7"), 7);
  EXPECT_EQ(textToNumber("\t-3"), -3);
  EXPECT_EQ(textToNumber("+4"), 4);
  EXPECT_EQ(textToNumber("3 players"), 3);
  EXPECT_EQ(textToNumber("2.5"), 2.5);
  EXPECT_EQ(textToNumber(".5"), 0.5);
  EXPECT_EQ(textToNumber("12abc"), 12);
  EXPECT_EQ(textToNumber("1e3"), 1000);
  EXPECT_EQ(textToNumber("2e"), 2);
  EXPECT_EQ(textToNumber("2e+"), 2);
}

TEST(TextToNumber, TextWithoutANumberIsZero) {
  EXPECT_EQ(textToNumber(""), 0);
  EXPECT_EQ(textToNumber("three"), 0);
  EXPECT_EQ(textToNumber("-"), 0);
  EXPECT_EQ(textToNumber("."), 0);
  EXPECT_EQ(textToNumber("+."), 0);
  EXPECT_EQ(textToNumber("e5"), 0);
}

TEST(TextToNumber, HugeValuesDoNotFail) {
  EXPECT_TRUE(std::isinf(textToNumber("1e999")));
  EXPECT_EQ(textToNumber("99999999999"), 99999999999.0);
  EXPECT_EQ(textToNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(2.4999), 2);
  EXPECT_EQ(roundHalfEven(2.5001), 3);
  EXPECT_EQ(roundHalfEven(std::nan("")), 0);
  EXPECT_GT(roundHalfEven(1e300), 1000000000000000000LL);
  EXPECT_LT(roundHalfEven(-1e300), -1000000000000000000LL);
}

TEST(Rounding, WholeNumbersSaturateAtSixteenBits) {
  EXPECT_EQ(toWholeNumber(40000), 32767);
  EXPECT_EQ(toWholeNumber(-40000), -32768);
  EXPECT_EQ(toWholeNumber(62.5), 62);
  EXPECT_EQ(toWholeNumber(63.5), 64);
}

TEST(PlayerCount, AnyAnswerBecomesOneToFour) {
  EXPECT_EQ(playerCountFromAnswer("4"), 4);
  EXPECT_EQ(playerCountFromAnswer("0"), 1);
  EXPECT_EQ(playerCountFromAnswer("-3"), 1);
  EXPECT_EQ(playerCountFromAnswer(""), 1);
  EXPECT_EQ(playerCountFromAnswer("9"), 4);
  EXPECT_EQ(playerCountFromAnswer("2.5"), 2);
  EXPECT_EQ(playerCountFromAnswer("3.5"), 4);
  EXPECT_EQ(playerCountFromAnswer("3 players"), 3);
  EXPECT_EQ(playerCountFromAnswer("99999999999"), 4);
  EXPECT_EQ(playerCountFromAnswer("1e999"), 4);
  EXPECT_EQ(playerCountFromAnswer("-1e999"), 1);
  EXPECT_EQ(playerCountFromAnswer("-40000"), 1);
  EXPECT_EQ(playerCountFromAnswer("32768"), 4);
  EXPECT_EQ(playerCountFromAnswer("1.5"), 2);
  EXPECT_EQ(playerCountFromAnswer("0.5"), 1);
}

// A keyboard or input method of another script types its own digits: each is read as the ASCII
// digit of its value, wherever it stands in the number, and the answer gives that many players.
TEST(PlayerCount, DigitsOfEveryScriptCountAsTheirValue) {
  struct Answer {
    const char* typed;
    double number;
    int players;
  };
  for (const auto& [typed, number, players] :
       {Answer{"२", 2, 2},    // Devanagari, Hindi InScript's 2 key
        Answer{"٢", 2, 2},    // Arabic-Indic
        Answer{"２", 2, 2},   // full-width
        Answer{"۴", 4, 4},    // Persian
        Answer{"2٢", 22, 4},  // mixed scripts in one number
        Answer{"3 players", 3, 3}, Answer{" 2.5", 2.5, 2},
        Answer{"३.५", 3.5, 4},  // halves still go to the even neighbour
        Answer{"-२", -2, 1}, Answer{"१e१", 10, 4},
        Answer{"\U0001D7D1", 3, 3},  // four bytes: mathematical bold 3
        // Damaged UTF-8 ends the number: a cut-off digit, a stray byte, an overlong "2".
        Answer{"2\xE0\xA5", 2, 2}, Answer{"\xE0\xA5\xA8\xA8", 2, 2}, Answer{"\xC0\xB2", 0, 1}}) {
    EXPECT_EQ(textToNumber(typed), number) << typed;
    EXPECT_EQ(playerCountFromAnswer(typed), players) << typed;
  }
}

TEST(NumberToText, PlainDecimal) {
  EXPECT_EQ(numberToText(0), "0");
  EXPECT_EQ(numberToText(35), "35");
  EXPECT_EQ(numberToText(-3), "-3");
  EXPECT_EQ(numberToText(-32768), "-32768");
}

TEST(FirstCharacters, CountsCodePointsNotBytes) {
  EXPECT_EQ(firstCharacters("Ann", 10), "Ann");
  EXPECT_EQ(firstCharacters("Maximiliana", 10), "Maximilian");
  EXPECT_EQ(firstCharacters("", 10), "");
  // Two-, three- and four-byte characters are kept whole.
  EXPECT_EQ(firstCharacters("\xC3\xA9l\xC3\xA9onore Dupont", 10), "\xC3\xA9l\xC3\xA9onore D");
  EXPECT_EQ(firstCharacters("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 2), "\xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_EQ(firstCharacters("\xF0\x9F\x8E\xB2\xF0\x9F\x8E\xB2x", 1), "\xF0\x9F\x8E\xB2");
}

TEST(FirstCharacters, MalformedBytesCountOneEachAndNeverOverrun) {
  // A lone continuation byte, a truncated sequence at the end, an overlong form, a surrogate.
  EXPECT_EQ(firstCharacters("\x80\x80\x80", 2), "\x80\x80");
  EXPECT_EQ(firstCharacters("ab\xE6\x97", 3), "ab\xE6");
  EXPECT_EQ(firstCharacters("ab\xE6\x97", 10), "ab\xE6\x97");
  EXPECT_EQ(firstCharacters("\xC0\xAFz", 1), "\xC0");
  EXPECT_EQ(firstCharacters("\xED\xA0\x80", 1), "\xED");
  EXPECT_EQ(firstCharacters("\xF4\x90\x80\x80", 1), "\xF4");
  EXPECT_EQ(firstCharacters(std::string("a\0b", 3), 2), std::string("a\0", 2));
}
