// The Windows front end's text and pixel conversions, built natively: they are plain C++ so that
// their corner cases can be checked without Windows.
#include <gtest/gtest.h>

#include "hosts/win32/dib_pixels.h"
#include "hosts/win32/text_convert.h"

namespace {

using win32::utf16ToUtf8;
using win32::utf8ToUtf16;

TEST(TextConvert, WellFormedTextSurvivesTheRoundTrip) {
  for (const std::string text :
       {"", "Player1", "Zo\xc3\xab", "\xe2\x82\xac 5", "\xf0\x9f\x8e\xb2 dice", "Line\rbreak"}) {
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
  }
  EXPECT_EQ(utf8ToUtf16("\xc3\xab"), u"\u00eb");
  EXPECT_EQ(utf8ToUtf16("\xf0\x9f\x8e\xb2"), u"\U0001F3B2");  // a surrogate pair
}

TEST(TextConvert, MalformedUtf8BecomesReplacementCharacters) {
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

TEST(TextConvert, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lonelyHigh{u'a', static_cast<char16_t>(0xD83C), u'b'};
  const std::u16string lonelyLow{static_cast<char16_t>(0xDF32)};
  EXPECT_EQ(utf16ToUtf8(lonelyHigh),
            "a\xef\xbf\xbd"
            "b");
  EXPECT_EQ(utf16ToUtf8(lonelyLow), "\xef\xbf\xbd");
}

TEST(TextConvert, EveryKindOfLineBreakBecomesCrLf) {
  EXPECT_EQ(win32::windowsLineBreaks("How many Players?\r(1 to 4)"),
            "How many Players?\r\n(1 to 4)");
  EXPECT_EQ(win32::windowsLineBreaks("a\r\nb\nc\r"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(win32::windowsLineBreaks("\r\r"), "\r\n\r\n");
}

TEST(DibPixels, RowsAreBlueGreenRedPaddedToFourBytes) {
  toolkit::Image image{3, 2, {}};
  // Row 0: red, green, blue; row 1: white, black, (10, 20, 30).
  image.rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 10, 20, 30};
  const std::vector<std::uint8_t> rows = win32::toDibRows(image);
  ASSERT_EQ(win32::dibStride(3), 12);
  const std::vector<std::uint8_t> want = {0,   0,   255, 0, 255, 0, 255, 0,  0,  0, 0, 0,
                                          255, 255, 255, 0, 0,   0, 30,  20, 10, 0, 0, 0};
  EXPECT_EQ(rows, want);
}

}  // namespace
