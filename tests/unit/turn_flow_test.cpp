#include "tests/unit/game_fixture.h"

class TurnFlow : public GameTest {};

// The last commit of a game ends it; "Play Again?" with Yes must give a clean game that the
// finished game's remaining steps cannot touch.
TEST_F(TurnFlow, PlayAgainStartsACleanGameAfterTheFinishedOneUnwinds) {
  startWith({"Ann"});
  const auto boxes = cardCategories();
  for (auto b : boxes) {
    run({"faces 6 6 6 6 6", "click cmdRoll"});
    if (b == &frmQuintoz::chkQuintoz)
      run({"reply ok", "reply yes", "answer 2", "answer Cy", "answer Di"});
    g.form.clickControl((g.*b)[1], toolkit::kLeftButton);
  }
  const std::string log = echoed();
  EXPECT_NE(log.find("\"text\":\"Congratulations Ann\\rYou are the Winner with "),
            std::string::npos);
  // The finished turn change stopped after the totals: no second " Finishing Turn" pause ran
  // for the new game before the reset's own.
  EXPECT_EQ(g.playerCount, 2);
  EXPECT_EQ(g.currentPlayer, 1);
  EXPECT_EQ(g.rollCount, 0);
  EXPECT_FALSE(g.newGamePending);
  EXPECT_EQ(g.cmdRoll.Caption, "Cy roll! [3 rolls left]");
  EXPECT_EQ(g.fraPlayer[1].zOrder(), 0);
  for (std::int16_t p = 1; p <= 4; ++p) {
    for (auto b : boxes) {
      EXPECT_EQ((g.*b)[p].value(), 0);
      EXPECT_EQ((g.*b)[p].Tag, "0") << (g.*b)[p].path();
    }
  }
  EXPECT_EQ(g.chk1s[1].Caption, "0");
  // The box that ended the old game is open in the new one: a click after a roll commits it.
  run({"faces 1 1 1 1 1", "click cmdRoll", "click chkQuintoz(1)"});
  EXPECT_EQ(g.currentPlayer, 2);
  EXPECT_EQ(g.chkQuintoz[1].Caption, "50");
}

TEST_F(TurnFlow, AClickOnAnotherSeatsBoxCommitsTheCurrentSeatsBoxAndKeepsTheClickedBoxChecked) {
  startWith({"Ann", "Bob"});
  run({"faces 2 2 2 3 3", "click cmdRoll"});
  echoed();
  // Seat 2's box, clicked while seat 1 plays (only reachable from a script): seat 1's box of
  // the same category is checked, its handler commits it and hands the turn on, and the outer
  // run hands it on once more because seat 2's own mark was open.
  run({"click chkFullHouse(2)"});
  EXPECT_EQ(g.chkFullHouse[1].value(), 1);
  EXPECT_EQ(g.chkFullHouse[1].Caption, "25");
  EXPECT_EQ(g.chkFullHouse[1].Tag, "1");
  EXPECT_EQ(g.chkFullHouse[2].value(), 1);
  EXPECT_EQ(g.chkFullHouse[2].Tag, "1");
  EXPECT_EQ(g.currentPlayer, 1);
  const std::string log = echoed();
  EXPECT_EQ(log, "delay 2.5\ndelay 2.5\n") << "two turn changes";
}

// A player who commits with the keyboard finds the focus on the roll button once the next
// player's card is in front: Space there rolls for them, never for the box left behind.
TEST_F(TurnFlow, AfterAKeyboardCommitTheNextKeyActsOnTheRollButton) {
  startWith({"Ann", "Bob"});
  run({"faces 2 2 2 3 3", "key cmdRoll space", "key chkFullHouse(1) space"});
  EXPECT_EQ(g.currentPlayer, 2);
  EXPECT_EQ(g.form.focused(), &g.cmdRoll);
  run({"faces 1 1 1 1 1"});
  g.form.keyDown(toolkit::kKeySpace, 0);
  g.form.keyUp(toolkit::kKeySpace, 0);
  EXPECT_EQ(g.rollCount, 1);
  EXPECT_EQ(g.chkFullHouse[1].Tag, "1");
  EXPECT_EQ(g.chkFullHouse[2].value(), 0);
}
