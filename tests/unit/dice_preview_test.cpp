#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "tests/unit/game_fixture.h"

namespace {

// Category scores worked out independently of the game's counting tables: from the sorted dice
// and the set of faces shown.
std::map<std::string, int> expectedScores(std::array<int, 5> dice) {
  std::array<int, 5> sorted = dice;
  std::sort(sorted.begin(), sorted.end());
  int sum = 0;
  std::array<int, 7> count{};
  for (int d : dice) {
    sum += d;
    ++count[d];
  }
  const int most = *std::max_element(count.begin(), count.end());
  bool three = false;
  bool two = false;
  for (int f = 1; f <= 6; ++f) {
    three = three || count[f] == 3;
    two = two || count[f] == 2;
  }
  auto has = [&](std::initializer_list<int> faces) {
    return std::all_of(faces.begin(), faces.end(), [&](int f) { return count[f] > 0; });
  };
  const bool large =
      sorted == std::array<int, 5>{1, 2, 3, 4, 5} || sorted == std::array<int, 5>{2, 3, 4, 5, 6};
  std::map<std::string, int> s;
  for (int f = 1; f <= 6; ++f) s["chk" + std::to_string(f) + "s"] = f * count[f];
  s["chk3Kind"] = most >= 3 ? sum : 0;
  s["chk4Kind"] = most >= 4 ? sum : 0;
  s["chkFullHouse"] = three && two ? 25 : 0;
  s["chkSmall"] = has({1, 2, 3, 4}) || has({2, 3, 4, 5}) || has({3, 4, 5, 6}) ? 30 : 0;
  s["chkLarge"] = large ? 40 : 0;
  s["chkQuintoz"] = most == 5 ? 50 : 0;
  s["chkChance"] = sum;
  return s;
}

}  // namespace

class DicePreview : public GameTest {
 protected:
  void SetUp() override { startWith({"Ann"}); }

  void preview(std::array<int, 5> dice, int rolls = 1) {
    for (int i = 0; i < 5; ++i) g.diceValues[i + 1] = static_cast<std::int16_t>(dice[i]);
    g.rollCount = static_cast<std::int16_t>(rolls);
    g.dieCheck();
  }
  std::string caption(const std::string& box) { return runner.read(box + "(1).Caption").text; }
};

TEST_F(DicePreview, EveryOrderedRollScoresEveryCategory) {
  int checked = 0;
  for (int n = 0; n < 7776; ++n) {
    std::array<int, 5> dice{};
    int rest = n;
    for (int& d : dice) {
      d = rest % 6 + 1;
      rest /= 6;
    }
    preview(dice);
    for (const auto& [box, score] : expectedScores(dice)) {
      ASSERT_EQ(caption(box), std::to_string(score))
          << box << " for " << dice[0] << dice[1] << dice[2] << dice[3] << dice[4];
      ++checked;
    }
  }
  EXPECT_EQ(checked, 7776 * 13);
}

TEST_F(DicePreview, TheWorkedExamples) {
  preview({1, 2, 3, 4, 6});
  EXPECT_EQ(caption("chkSmall"), "30");
  EXPECT_EQ(caption("chkLarge"), "0");
  preview({2, 3, 4, 5, 6});
  EXPECT_EQ(caption("chkSmall"), "30");
  EXPECT_EQ(caption("chkLarge"), "40");
  preview({1, 3, 4, 5, 6});
  EXPECT_EQ(caption("chkSmall"), "30");
  EXPECT_EQ(caption("chkLarge"), "0");
  preview({1, 2, 3, 5, 6});
  EXPECT_EQ(caption("chkSmall"), "0");
  EXPECT_EQ(caption("chkLarge"), "0");
  preview({6, 6, 6, 6, 6});
  EXPECT_EQ(caption("chkQuintoz"), "50");
  EXPECT_EQ(caption("chk4Kind"), "30");
  EXPECT_EQ(caption("chk3Kind"), "30");
  EXPECT_EQ(caption("chkFullHouse"), "0");
  EXPECT_EQ(caption("chkChance"), "30");
  EXPECT_EQ(caption("chk6s"), "30");
  EXPECT_EQ(caption("chk5s"), "0");
  preview({4, 4, 4, 4, 2});
  EXPECT_EQ(caption("chk4Kind"), "18");
  EXPECT_EQ(caption("chk3Kind"), "18");
  EXPECT_EQ(caption("chkFullHouse"), "0");
  EXPECT_EQ(caption("chk4s"), "16");
  EXPECT_EQ(caption("chk2s"), "2");
  preview({2, 2, 3, 3, 3});
  EXPECT_EQ(caption("chkFullHouse"), "25");
  EXPECT_EQ(caption("chk3Kind"), "13");
  EXPECT_EQ(caption("chk4Kind"), "0");
  EXPECT_EQ(caption("chkChance"), "13");
  preview({5, 5, 5, 1, 2});
  EXPECT_EQ(caption("chk3Kind"), "18");
  EXPECT_EQ(caption("chkFullHouse"), "0");
  EXPECT_EQ(caption("chk4Kind"), "0");
}

TEST_F(DicePreview, NoRollOrAFinishedTurnPreviewsZeroEverywhere) {
  for (int rolls : {0, 4}) {
    g.txtSubTotal[1].Text = "63";
    preview({6, 6, 6, 6, 6}, rolls);
    for (const auto& [box, score] : expectedScores({6, 6, 6, 6, 6})) {
      EXPECT_EQ(caption(box), "0") << box << " at rollCount " << rolls;
    }
    // The bonus box follows the sub-total whatever the dice.
    EXPECT_EQ(g.chkBonus[1].value(), 1);
    EXPECT_EQ(caption("chkBonus"), "35");
  }
}

TEST_F(DicePreview, CheckedBoxesKeepTheirScore) {
  g.chkQuintoz[1].Caption = "0";
  g.chkQuintoz[1].Tag = "1";
  g.rollCount = 1;
  g.chkQuintoz[1].setValue(1);
  preview({2, 2, 2, 2, 2});
  EXPECT_EQ(caption("chkQuintoz"), "0");
  EXPECT_EQ(caption("chk2s"), "10");
}

TEST_F(DicePreview, BonusBoxFollowsTheSubTotalThreshold) {
  for (const auto& [subTotal, checked, bonusCaption] :
       {std::tuple{"62", 0, "0"}, std::tuple{"63", 1, "35"}, std::tuple{"", 0, "0"},
        std::tuple{"70", 1, "35"}}) {
    g.txtSubTotal[1].Text = subTotal;
    preview({1, 1, 1, 1, 1});
    EXPECT_EQ(g.chkBonus[1].value(), checked) << "sub-total '" << subTotal << "'";
    EXPECT_EQ(caption("chkBonus"), bonusCaption);
  }
}

TEST_F(DicePreview, OnlyTheCurrentPlayersCardChanges) {
  preview({3, 3, 3, 5, 5});
  EXPECT_EQ(g.chkFullHouse[2].Caption, "");
  EXPECT_EQ(g.chkFullHouse[0].Caption, "");
  EXPECT_EQ(g.chkFullHouse[1].Caption, "25");
}
