#include <algorithm>
#include <set>

#include "tests/unit/game_fixture.h"

using toolkit::Control;

class Layout : public GameTest {};

TEST_F(Layout, TheWindowAndItsCornerButtons) {
  EXPECT_EQ(g.form.Width, 9825.0f);
  EXPECT_EQ(g.form.Height, 5040.0f);
  EXPECT_EQ(g.form.pixelRect().w, 655);
  EXPECT_EQ(g.form.pixelRect().h, 336);
  EXPECT_EQ(g.cmdExit.Left + g.cmdExit.Width, g.form.Width);
  EXPECT_EQ(g.cmdExit.Left - (g.cmdNewGame.Left + g.cmdNewGame.Width), 45.0f);
  EXPECT_LT(g.cmdExit.Top + g.cmdExit.Height, g.fraPlayer[1].Top);
  EXPECT_EQ(g.form.Caption, "Quintoz");
}

TEST_F(Layout, EveryPerSeatArrayHasAHiddenElementZero) {
  for (const char* name : {"chk1s", "chk6s", "chkBonus", "chkQuintoz", "txtSubTotal", "txtTotal",
                           "Label1", "Label15", "lblSubTotal", "Shape1", "fraPlayer"}) {
    Control* zero = g.form.find(std::string(name) + "(0)");
    ASSERT_NE(zero, nullptr) << name;
    EXPECT_FALSE(zero->shownOnScreen()) << name;
    for (int seat = 1; seat <= 4; ++seat) {
      Control* c = g.form.find(std::string(name) + "(" + std::to_string(seat) + ")");
      ASSERT_NE(c, nullptr) << name << seat;
      EXPECT_TRUE(c->shownOnScreen()) << name << seat;
    }
  }
}

TEST_F(Layout, TheCardsShareOnePlaceWithTheFirstInFront) {
  for (std::int16_t p = 1; p <= 4; ++p) {
    EXPECT_EQ(g.fraPlayer[p].Left, 5280.0f);
    EXPECT_EQ(g.fraPlayer[p].Top, 300.0f);
  }
  EXPECT_LT(g.fraPlayer[1].zOrder(), g.fraPlayer[2].zOrder());
  EXPECT_LT(g.fraPlayer[2].zOrder(), g.fraPlayer[3].zOrder());
  EXPECT_LT(g.fraPlayer[3].zOrder(), g.fraPlayer[4].zOrder());
  EXPECT_EQ(g.form.hitTest(5280 / 15 + 87, 300 / 15 + 40), &g.chk1s[1]);
}

TEST_F(Layout, DiceWaitHiddenInTheHeldRowInFrontOfTheTrayPicture) {
  for (std::int16_t n = 1; n <= 5; ++n) {
    EXPECT_FALSE(g.chkDie[n].Visible);
    EXPECT_EQ(g.chkDie[n].Left, 720.0f * n);
    EXPECT_EQ(g.chkDie[n].Top, 180.0f);
    EXPECT_EQ(g.chkDie[n].Width, 675.0f);
    EXPECT_EQ(g.chkDie[n].Height, n <= 2 ? 705.0f : 720.0f);
    EXPECT_EQ(g.chkDie[n].parent(), &g.fraRoll);
    EXPECT_LT(g.chkDie[n].zOrder(), g.imgBG.zOrder());
    EXPECT_EQ(g.chkDie[n].Picture.name, "design" + std::to_string(n));
  }
  for (std::int16_t f = 1; f <= 6; ++f) {
    EXPECT_FALSE(g.imDie[f].Visible);
    EXPECT_EQ(g.imDie[f].Picture.name, "face" + std::to_string(f));
    ASSERT_FALSE(g.imDie[f].Picture.empty());
    EXPECT_EQ(g.imDie[f].Picture.image->width, 39);
  }
  ASSERT_FALSE(g.imgBG.Picture.empty());
  EXPECT_EQ(g.imgBG.Picture.image->width, 371);
  EXPECT_EQ(g.imgBG.Picture.image->height, 283);
  EXPECT_FALSE(g.form.Icon.empty());
  // The roll button covers the tray's bottom edge and is in front of it.
  EXPECT_LT(g.cmdRoll.zOrder(), g.fraRoll.zOrder());
  EXPECT_EQ(g.cmdRoll.Top, 4440.0f);
}

TEST_F(Layout, ScoreCardRowsAndLabels) {
  EXPECT_EQ(g.Label14[2].Caption, "Q U I N T O Z");
  EXPECT_EQ(g.lblSubTotal[3].Caption, "Sub-Total");
  EXPECT_EQ(g.chk6s[1].Top, 2580.0f);
  EXPECT_EQ(g.chkQuintoz[1].Top, 3000.0f);
  EXPECT_EQ(g.txtTotal[4].Width, 735.0f);
  EXPECT_EQ(g.Label15[1].font.points, 18.0f);
  EXPECT_EQ(g.Shape1[0].Width, 1875.0f);
  EXPECT_EQ(g.Shape1[1].Width, 1935.0f);
  for (std::int16_t n = 0; n <= 4; ++n) {
    const bool tip = n != 0;
    EXPECT_EQ(!g.chkBonus[n].ToolTipText.empty(), tip);
    EXPECT_EQ(!g.Label7[n].ToolTipText.empty(), tip);
    EXPECT_TRUE(g.chk1s[n].Caption.empty());
    EXPECT_TRUE(g.chk1s[n].Tag.empty());
    EXPECT_TRUE(g.txtTotal[n].Text.empty());
  }
}

TEST_F(Layout, KeyboardOrderMatchesTheLayout) {
  EXPECT_EQ(g.fraRoll.TabIndex, 0);
  EXPECT_EQ(g.chkDie[3].TabIndex, 3);
  EXPECT_EQ(g.cmdExit.TabIndex, 6);
  EXPECT_EQ(g.cmdRoll.TabIndex, 7);
  EXPECT_EQ(g.fraPlayer[1].TabIndex, 8);
  EXPECT_EQ(g.txtTotal[1].TabIndex, 9);
  EXPECT_EQ(g.chk1s[1].TabIndex, 24);
  EXPECT_EQ(g.fraPlayer[0].TabIndex, 41);
  EXPECT_EQ(g.chk1s[0].TabIndex, 42);
  EXPECT_EQ(g.chk2s[2].TabIndex, 76);
  EXPECT_EQ(g.chkBonus[2].TabIndex, 77);
  EXPECT_EQ(g.fraPlayer[4].TabIndex, 140);
  EXPECT_EQ(g.cmdNewGame.TabIndex, 173);
  std::set<int> seen;
  for (const Control* c : g.form.controls()) {
    if (c->TabIndex < 0) continue;
    EXPECT_TRUE(seen.insert(c->TabIndex).second) << c->path();
  }
  EXPECT_EQ(seen.size(), 174u);
  EXPECT_EQ(*seen.rbegin(), 173);
}

TEST_F(Layout, TabReachesOnlyTheFrontCardsBoxes) {
  startWith({"Ann", "Bob"});
  std::set<std::string> reached;
  for (int i = 0; i < 40; ++i) {
    g.form.keyDown(toolkit::kKeyTab, 0);
    reached.insert(g.form.focused()->path());
  }
  EXPECT_TRUE(reached.count("chk1s(1)"));
  EXPECT_TRUE(reached.count("cmdRoll"));
  EXPECT_FALSE(reached.count("chk1s(2)"));
  EXPECT_FALSE(reached.count("chkDie(1)")) << "hidden dice take no focus";
}
