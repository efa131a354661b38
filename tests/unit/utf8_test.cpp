#include <gtest/gtest.h>

#include <string>

#include "toolkit/utf8.h"

namespace {

using toolkit::decodeUtf8;
using toolkit::encodeUtf8;
using toolkit::utf16ToUtf8;
using toolkit::utf8ToUtf16;

TEST(Utf8, UtfEightRoundTripsAndDamagedBytesShowAsReplacements) {
  for (const char* name : {"Ann", "Zo\u00eb \u00c5ngstr\u00f6m", "\u674e\u96f7\u03a9\u0436",
                           "\u05e9\u05e8\u05d4", "\u0645\u0631\u064a\u0645",
                           "\u0928\u092e\u0938\u094d\u0924\u0947", "\U0001F600\U0001F3B2", ""}) {
    EXPECT_EQ(encodeUtf8(decodeUtf8(name)), name);
  }
  EXPECT_EQ(decodeUtf8("\u674e\U0001F600"), std::u32string(U"\u674e\U0001F600"));
  EXPECT_EQ(decodeUtf8("a\xff"
                       "b"),
            std::u32string(U"a\ufffdb"))
      << "a byte that starts nothing";
  EXPECT_EQ(decodeUtf8("\xe6\x9d"), std::u32string(U"\ufffd\ufffd")) << "a cut-off character";
  EXPECT_EQ(decodeUtf8("\xc0\xaf"), std::u32string(U"\ufffd\ufffd")) << "an overlong slash";
  EXPECT_EQ(decodeUtf8("\xed\xa0\x80"), std::u32string(U"\ufffd\ufffd\ufffd")) << "a surrogate";
}

// The game cuts names by the same steps the front ends decode by: every step is one decoded
// character, and a step over a well-formed character covers it whole.
TEST(Utf8, CharacterSizesStepOverWhatDecodingReadsAsOneCharacter) {
  for (const std::string& text :
       {std::string("Zo\u00eb \u674e\U0001F600"), std::string("a\xff\xe6\x9d"),
        std::string("\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80"), std::string("\xf0\x9f\x8e")}) {
    std::size_t steps = 0;
    for (std::size_t at = 0; at < text.size(); at += toolkit::utf8CharacterSize(text, at)) {
      ++steps;
    }
    EXPECT_EQ(steps, decodeUtf8(text).size()) << text;
  }
  EXPECT_EQ(toolkit::utf8CharacterSize("\U0001F3B2x", 0), 4u);
  EXPECT_EQ(toolkit::utf8CharacterSize("\u674e", 0), 3u);
  EXPECT_EQ(toolkit::utf8CharacterSize("\xf4\x90\x80\x80", 0), 1u) << "past U+10FFFF";
}

// The Windows program's wide text.
TEST(Utf16, WellFormedTextSurvivesTheRoundTrip) {
  for (const std::string text :
       {"", "Player1", "Zo\xc3\xab", "\xe2\x82\xac 5", "\xf0\x9f\x8e\xb2 dice", "Line\rbreak"}) {
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
  }
  EXPECT_EQ(utf8ToUtf16("\xc3\xab"), u"\u00eb");
  EXPECT_EQ(utf8ToUtf16("\xf0\x9f\x8e\xb2"), u"\U0001F3B2");  // a surrogate pair
}

TEST(Utf16, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(utf8ToUtf16("a\xff"
                        "b"),
            u"a\ufffdb");
  EXPECT_EQ(utf8ToUtf16("\xc3"), u"\ufffd");      // cut short at the end
  EXPECT_EQ(utf8ToUtf16("\xc3(x"), u"\ufffd(x");  // cut short before ASCII
  // A sequence that is no character shows one replacement for each of its bytes, as the game
  // counts them when it cuts a name to its first ten characters and as the Linux window draws.
  EXPECT_EQ(utf8ToUtf16("\xc0\xaf"), u"\ufffd\ufffd");                      // overlong slash
  EXPECT_EQ(utf8ToUtf16("\xed\xa0\x80"), u"\ufffd\ufffd\ufffd");            // an encoded surrogate
  EXPECT_EQ(utf8ToUtf16("\xf4\x90\x80\x80"), u"\ufffd\ufffd\ufffd\ufffd");  // above U+10FFFF
}

TEST(Utf16, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lonelyHigh{u'a', static_cast<char16_t>(0xD83C), u'b'};
  const std::u16string lonelyLow{static_cast<char16_t>(0xDF32)};
  EXPECT_EQ(utf16ToUtf8(lonelyHigh),
            "a\xef\xbf\xbd"
            "b");
  EXPECT_EQ(utf16ToUtf8(lonelyLow), "\xef\xbf\xbd");
}

}  // namespace
