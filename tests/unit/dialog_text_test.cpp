// The game breaks a prompt's lines with a lone carriage return; each platform's dialogs want
// their own break, and a text that already has another kind must not get two.
#include "hosts/core/dialog_text.h"

#include <gtest/gtest.h>

namespace {

using windowcore::withLineBreaks;

TEST(DialogText, EveryKindOfLineBreakBecomesThePlatformsOne) {
  EXPECT_EQ(withLineBreaks("How many Players?\r(1 to 4)", "\r\n"), "How many Players?\r\n(1 to 4)");
  EXPECT_EQ(withLineBreaks("a\r\nb\nc\r", "\r\n"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(withLineBreaks("\r\r", "\r\n"), "\r\n\r\n");
  EXPECT_EQ(withLineBreaks("Player 1\rEnter Your Name", "\n"), "Player 1\nEnter Your Name");
  EXPECT_EQ(withLineBreaks("a\r\n\nb", "\n"), "a\n\nb");
  EXPECT_EQ(withLineBreaks("", "\n"), "");
  EXPECT_EQ(withLineBreaks("no break at all", "\r\n"), "no break at all");
}

}  // namespace
