#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "hosts/script/script_runner.h"
#include "hosts/web/game_record.h"
#include "hosts/web/replay.h"

namespace {

using webhost::GameRecord;
using webhost::parseReplay;
using Kind = webhost::ReplayStep::Kind;

// The record of a start-up and one roll, as the page writes it while the game asks and draws.
GameRecord startAndRoll() {
  GameRecord r;
  r.begin("start", "");
  r.restart();
  r.answer("1", false);
  r.answer("Ann ", false);
  EXPECT_FALSE(r.started());
  EXPECT_TRUE(r.end(""));
  r.begin("click cmdRoll", "cmdRoll");
  for (std::int16_t f : {6, 6, 6, 2, 1}) r.face(f);
  r.draw(0.25);
  r.draw(0.1 + 0.2);  // not short in decimal: written exactly all the same
  return r;
}

}  // namespace

TEST(GameRecord, WritesWhatTheGameAskedAndDrewBeforeEachInput) {
  GameRecord r = startAndRoll();
  EXPECT_TRUE(r.started());
  const std::string during =
      "answer 1\nanswer Ann \nstart\nfaces 6 6 6 2 1\n"
      "random 0.25 0.30000000000000004\nclick cmdRoll\n";
  // The input under way is kept as it is, so that a page gone meanwhile replays it whole.
  EXPECT_EQ(r.text("cmdRoll"), during);
  EXPECT_FALSE(r.end("cmdRoll"));
  EXPECT_EQ(r.text("cmdRoll"), during);
  // A focus moved since (Tab) is written after the last input until the next one ends.
  EXPECT_EQ(r.text("chkDie(2)"), during + "focus chkDie(2)\n");
  r.begin("key chkDie(2) space", "chkDie(2)");
  r.end("chkDie(2)");
  EXPECT_EQ(r.text("chkDie(2)"), during + "key chkDie(2) space\n");
  // A press that clicked nothing moved the focus for good: the line stays.
  r.begin("release chkDie(3)", "");
  r.end("chkDie(3)");
  EXPECT_EQ(r.text("chkDie(3)"),
            during + "key chkDie(2) space\nrelease chkDie(3)\nfocus chkDie(3)\n");
}

TEST(GameRecord, ANewGameForgetsTheOldOneAndStartsAgainFromItsStartUp) {
  GameRecord r = startAndRoll();
  r.end("cmdRoll");
  r.begin("click cmdNewGame", "cmdNewGame");
  r.reply(toolkit::MessageAnswer::Yes);
  r.draw(0.5);
  r.restart();
  EXPECT_FALSE(r.started());
  r.answer("", true);
  EXPECT_TRUE(r.end("cmdNewGame"));
  EXPECT_EQ(r.text("cmdNewGame"), "cancel\nstart\nfocus cmdNewGame\n");
  // An answer with a line break has no line: such a game is not written at all.
  r.restart();
  r.answer("two\nlines", false);
  EXPECT_FALSE(r.writable());
}

TEST(Replay, ReadsEveryLineThePageWritesAndNothingElse) {
  GameRecord r = startAndRoll();
  r.end("cmdRoll");
  r.append("set chkDie(1).Left 1230.5");
  const std::string text = "# Quintoz 2.2.2-0123456789abcdef\n" + r.text("chkDie(2)") +
                           "reply no\nclick cmdExit\nkeyup chkDie(2) a\nrightclick chkDie(1)\n";
  const webhost::ReplayScript s = parseReplay(text);
  ASSERT_EQ(s.error, "");
  ASSERT_EQ(s.steps.size(), 12u);
  EXPECT_EQ(s.steps[1].text, "Ann ");
  EXPECT_EQ(s.steps[3].numbers, (std::vector<double>{6, 6, 6, 2, 1}));
  EXPECT_EQ(s.steps[4].numbers[1], 0.1 + 0.2);
  EXPECT_EQ(s.steps[6].property, "Left");
  EXPECT_EQ(s.steps[6].numbers[0], 1230.5);
  EXPECT_EQ(s.steps[7].kind, Kind::Focus);
  EXPECT_EQ(s.steps[10].key, 'A');
  EXPECT_EQ(s.steps[11].button, 2);
  for (const char* bad :
       {"click cmdRoll\nstart\n", "answer 1\n", "start\nstart\n", "start\nfaces 7\n",
        "start\nrandom 1\n", "start\nrandom 0.5x\n", "start\nreply maybe\n",
        "start\nkey cmdRoll tab\n", "start\nclick\n", "start\nset chkDie(1).Width 5\n",
        "start\ncall roll\n", "start\ndump\n", "\x01\x02 start\n"}) {
    const webhost::ReplayScript b = parseReplay(bad);
    EXPECT_NE(b.error, "") << bad;
    EXPECT_TRUE(b.steps.empty()) << bad;
  }
}

// The same record given to quintoz-script plays the same game: the faces drawn, the hold.
TEST(Replay, TheScriptDriverReplaysTheRecord) {
  GameRecord r = startAndRoll();
  r.end("cmdRoll");
  r.begin("click chkDie(2)", "chkDie(2)");
  r.end("chkDie(2)");
  std::ostringstream out;
  std::ostringstream errors;
  script::ScriptRunner runner(out);
  std::istringstream in(r.text("chkDie(2)"));
  ASSERT_EQ(runner.run(in, errors), 0) << errors.str();
  EXPECT_EQ(runner.game().playerNames[1], "Ann ");
  EXPECT_EQ(runner.game().diceValues[1], 6);
  EXPECT_EQ(runner.game().diceValues[5], 1);
  EXPECT_EQ(runner.read("chkDie(2).Value").number, 1);
  EXPECT_EQ(runner.read("focus").text, "chkDie(2)");
}
