// The page replays a saved game with the script language's reader, as quintoz-script runs it:
// what the driver refuses the page refuses, for the same reason, what both take they read
// alike, and the driver plays the record the page writes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "hosts/script/script_runner.h"
#include "hosts/web/game_record.h"
#include "hosts/web/replay.h"

namespace {

const char* const kStartUp = "answer 1\nanswer Ann\nstart\n";

// Why the driver refuses the line after the start-up ("" when it runs it).
std::string driverRefusal(const std::string& line) {
  std::ostringstream out;
  script::ScriptRunner runner(out);
  std::istringstream startUp(kStartUp);
  std::ostringstream errors;
  EXPECT_EQ(runner.run(startUp, errors), 0) << errors.str();
  try {
    runner.execute(line);
  } catch (const script::ScriptError& e) {
    return e.what();
  }
  return {};
}

}  // namespace

TEST(Replay, RefusesWhatTheDriverRefusesForTheSameReason) {
  for (const char* line :
       {"faces 6.0", "faces +6", "faces 6e0", "random +0.5", "faces 0", "faces", "random 1",
        "random 1e-400", "random 0.5x", "random inf", "reply maybe", "key cmdRoll tab",
        "keyup cmdRoll", "set chkDie(1).Left [1,", "set chkDie(1).Left", "start", "frobnicate"}) {
    const std::string reason = driverRefusal(line);
    ASSERT_NE(reason, "") << line;
    const webhost::ReplayScript replay = webhost::parseReplay(kStartUp + std::string(line));
    EXPECT_EQ(replay.error, "line 4: " + reason) << line;
    EXPECT_TRUE(replay.steps.empty()) << line;
  }
  std::ostringstream out;
  script::ScriptRunner runner(out);
  try {
    runner.execute("click cmdRoll");
    ADD_FAILURE() << "a click before the start ran";
  } catch (const script::ScriptError& e) {
    EXPECT_EQ(webhost::parseReplay("click cmdRoll\nstart\n").error,
              std::string("line 1: ") + e.what());
  }
}

TEST(Replay, ReadsTheFacesAndDrawsTheDriverQueues) {
  const std::string lines = "faces 6 1 3\nrandom 0.30000000000000004 5e-324 -0 1e-7 .5 5e-1\n";
  std::ostringstream out;
  script::ScriptRunner runner(out);
  std::istringstream in(lines);
  std::ostringstream errors;
  ASSERT_EQ(runner.run(in, errors), 0) << errors.str();
  const webhost::ReplayScript replay = webhost::parseReplay(lines + "start\n");
  ASSERT_EQ(replay.error, "");
  ASSERT_EQ(replay.steps.size(), 3u);
  const std::deque<std::int16_t>& faces = runner.host().faces;
  EXPECT_EQ(std::vector<double>(faces.begin(), faces.end()), replay.steps[0].numbers);
  const std::deque<double>& draws = runner.host().randoms;
  EXPECT_EQ(std::vector<double>(draws.begin(), draws.end()), replay.steps[1].numbers);
}

// The same record given to quintoz-script plays the same game: the faces drawn, the hold.
TEST(Replay, TheScriptDriverReplaysTheRecord) {
  webhost::GameRecord r;
  r.begin("start", "");
  r.restart();
  r.answer("1", false);
  r.answer("Ann ", false);
  r.end("");
  r.begin("click cmdRoll", "cmdRoll");
  for (std::int16_t f : {6, 6, 6, 2, 1}) r.face(f);
  r.draw(0.25);
  r.draw(0.1 + 0.2);
  r.end("cmdRoll");
  r.begin("click chkDie(2)", "chkDie(2)");
  r.end("chkDie(2)");
  ASSERT_EQ(webhost::parseReplay(r.text("chkDie(2)")).error, "");
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
