#include <cmath>

#include "tests/unit/game_fixture.h"

namespace {

// The draw r that puts a die of the given size at `left` (r1) or `top` (r2); used to dictate
// exact places. The slight excess keeps the product on the right side of the floor.
double drawForLeft(float left, float width) {
  return (left - width + 0.25) / (5055.0 - 2.5 * width);
}
double drawForTop(float top, float height) {
  return (top - 1.5 * height + 0.25) / (4320.0 - 2.8 * height);
}

}  // namespace

class Scatter : public GameTest {
 protected:
  void SetUp() override {
    startWith({"Ann"});
    // Park every die far from the test area so that only the dice a test places matter.
    for (std::int16_t i = 1; i <= 5; ++i) {
      g.chkDie[i].Left = 100000.0f * i;
      g.chkDie[i].Top = 100000.0f;
    }
  }
  void queue(double r) { runner.host().randoms.push_back(r); }
  void queuePlace(std::int16_t die, float left, float top) {
    queue(drawForLeft(left, g.chkDie[die].Width));
    queue(drawForTop(top, g.chkDie[die].Height));
  }
};

TEST_F(Scatter, DictatedDrawsLandWhereTheFormulaSays) {
  queuePlace(3, 2000, 2000);
  g.rMove(3);
  EXPECT_EQ(g.chkDie[3].Left, 2000.0f);
  EXPECT_EQ(g.chkDie[3].Top, 2000.0f);
  EXPECT_TRUE(g.chkDie[3].Visible);
  EXPECT_TRUE(runner.host().randoms.empty()) << "exactly two draws for one free place";
}

TEST_F(Scatter, ThirtyTwipsApartIsFarEnoughButLessIsNot) {
  // Side by side: die 3 spans 2000..2675; die 1 (whose tops end in .5, so the vertical extents
  // overlap) is tried 29 twips to its right, then exactly 30.
  queuePlace(3, 2000, 2000);
  g.rMove(3);
  queue(drawForLeft(2704, 675));
  queue(drawForTop(2000.5f, 705));
  queue(drawForLeft(2705, 675));
  queue(drawForTop(2000.5f, 705));
  g.rMove(1);
  EXPECT_EQ(g.chkDie[1].Left, 2705.0f);
  EXPECT_TRUE(runner.host().randoms.empty()) << "the first place was rejected, the second kept";

  // One above the other: die 1 now spans 2000.5..2705.5 in the same column. Die 3 tried 29.5
  // below it is too close, 30.5 below is free; die 2 (also .5) exactly 30 below is free.
  g.chkDie[1].Left = 2000;
  g.chkDie[3].Left = 100000;
  queuePlace(3, 2000, 2735);
  queuePlace(3, 2000, 2736);
  g.rMove(3);
  EXPECT_EQ(g.chkDie[3].Top, 2736.0f);
  EXPECT_TRUE(runner.host().randoms.empty());
  g.chkDie[3].Left = 100000;
  queuePlace(2, 2000, 2734.5f);
  queuePlace(2, 2000, 2735.5f);
  g.rMove(2);
  EXPECT_EQ(g.chkDie[2].Top, 2735.5f);
  EXPECT_TRUE(runner.host().randoms.empty());
}

TEST_F(Scatter, HiddenDiceStillBlockAndHeldRowDiceNeverDo) {
  g.chkDie[2].Left = 1500;
  g.chkDie[2].Top = 1500;
  g.chkDie[2].Visible = false;
  // The held row: dice at Top 120, the lowest edge 120 + 720 = 840, far above any scatter.
  g.chkDie[4].Left = 2880;
  g.chkDie[4].Top = 120;
  g.chkDie[4].setValue(1);
  queuePlace(1, 1500, 1500);     // on top of the hidden die: rejected
  queuePlace(1, 2880, 1057.5f);  // right under the held die's column, top of the scatter area
  g.rMove(1);
  EXPECT_EQ(g.chkDie[1].Left, 2880.0f);
  EXPECT_EQ(g.chkDie[1].Top, 1057.5f);
  EXPECT_TRUE(runner.host().randoms.empty());
}

TEST_F(Scatter, TheDieIsShownAfterwardsAndOnlyItsPlaceChanges) {
  g.chkDie[5].Visible = false;
  g.chkDie[5].ToolTipText = "4";
  g.chkDie[5].setValue(1);
  queuePlace(5, 3000, 3000);
  g.rMove(5);
  EXPECT_TRUE(g.chkDie[5].Visible);
  EXPECT_EQ(g.chkDie[5].ToolTipText, "4");
  EXPECT_EQ(g.chkDie[5].value(), 1);
}

TEST_F(Scatter, ExtremeDrawsGiveTheTrayLimits) {
  // r = 0 and the largest double below 1, after rounding to single precision.
  const double nearlyOne = std::nextafter(1.0f, 0.0f);
  for (std::int16_t die : {1, 3}) {
    queue(0.0);
    queue(0.0);
    g.rMove(die);
    EXPECT_EQ(g.chkDie[die].Left, 675.0f);
    EXPECT_EQ(g.chkDie[die].Top, die == 1 ? 1057.5f : 1080.0f);
    g.chkDie[die].Left = 100000.0f * die;
    queue(nearlyOne);
    queue(nearlyOne);
    g.rMove(die);
    EXPECT_EQ(g.chkDie[die].Left, 4042.0f);
    EXPECT_EQ(g.chkDie[die].Top, die == 1 ? 3402.5f : 3383.0f);
    g.chkDie[die].Left = 100000.0f * die;
  }
}

TEST_F(Scatter, RandomScattersStayInTheTrayAndApart) {
  runner.execute("seed 99");
  for (int round = 0; round < 300; ++round) {
    for (std::int16_t i = 1; i <= 5; ++i) g.rMove(i);
    for (std::int16_t i = 1; i <= 5; ++i) {
      const auto& a = g.chkDie[i];
      ASSERT_GE(a.Left, 675.0f);
      ASSERT_LE(a.Left + a.Width, 4717.0f);
      ASSERT_GE(a.Top, 1057.5f);
      ASSERT_LE(a.Top + a.Height, 4107.5f);
      for (std::int16_t j = static_cast<std::int16_t>(i + 1); j <= 5; ++j) {
        const auto& b = g.chkDie[j];
        const bool apartSideways =
            a.Left + a.Width + 30 <= b.Left || b.Left + b.Width + 30 <= a.Left;
        const bool apartVertically =
            a.Top + a.Height + 30 <= b.Top || b.Top + b.Height + 30 <= a.Top;
        ASSERT_TRUE(apartSideways || apartVertically) << "dice " << i << " and " << j;
      }
    }
  }
}
