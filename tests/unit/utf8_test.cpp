#include <gtest/gtest.h>

#include <string>

#include "toolkit/utf8.h"

namespace {

using toolkit::decodeUtf8;
using toolkit::encodeUtf8;

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

}  // namespace
