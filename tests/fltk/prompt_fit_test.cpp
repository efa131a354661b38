#include <gtest/gtest.h>

#include <string>

#include "hosts/fltk/prompt_fit.h"

namespace {

using fltkhost::promptFitsUnmeasured;

TEST(PromptFit, TheGamesOwnPromptsNeedNoMeasuring) {
  EXPECT_TRUE(promptFitsUnmeasured("How many Players?\r(1 to 4)"));
  for (const char* seat : {"1", "2", "3", "4"}) {
    EXPECT_TRUE(promptFitsUnmeasured(std::string("Player ") + seat + "\rEnter Your Name"));
  }
  EXPECT_TRUE(promptFitsUnmeasured(""));
}

TEST(PromptFit, LongWideOrManyLinedPromptsAreMeasured) {
  const std::string full(fltkhost::kUnmeasuredLineChars, 'W');
  EXPECT_TRUE(promptFitsUnmeasured(full + "\r" + full + "\r" + full));
  EXPECT_FALSE(promptFitsUnmeasured(full + "W")) << "one character too many on a line";
  EXPECT_FALSE(promptFitsUnmeasured("a\rb\rc\rd")) << "a fourth line";
  EXPECT_FALSE(promptFitsUnmeasured("Spieler \xc3\xa4")) << "beyond ASCII";
  EXPECT_FALSE(promptFitsUnmeasured("tab\there")) << "a control character";
  EXPECT_FALSE(promptFitsUnmeasured("line\nbreak")) << "only carriage returns break lines";
}

}  // namespace
