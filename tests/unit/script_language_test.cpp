#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/script/script_runner.h"

namespace {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome runScript(const std::string& text) {
  std::ostringstream out;
  std::ostringstream err;
  script::ScriptRunner runner(out);
  std::istringstream in(text);
  const int code = runner.run(in, err);
  return {code, out.str(), err.str()};
}

const char* const kStart = "answer 1\nanswer Ann\nstart\n";

}  // namespace

TEST(ScriptLanguage, WrongLinesStopWithExitTwoAndNameTheLine) {
  for (const char* bad : {"frobnicate",
                          "click nosuchcontrol",
                          "click chkDie(9)",
                          "print nothing",
                          "print chk1s(1).Colour",
                          "set rollCount \"two\"",
                          "set rollCount",
                          "set diceValues 1 2 3",
                          "set diceValues 1 2 3 4 7",
                          "faces 0",
                          "faces 7",
                          "random 1",
                          "random -0.5",
                          "random x",
                          "seed abc",
                          "reply maybe",
                          "key cmdRoll tab",
                          "key Label1(1) space",
                          "mousemove 9",
                          "call nothing",
                          "call rMove 6",
                          "call rMove",
                          "call dieCheck 3",
                          "call delay 1e9",
                          "set chk1s(1).Value 2",
                          "set txtTotal(1).Text 5",
                          "set chk1s(1).Picture \"face9\"",
                          "expect rollCount",
                          "ondialog",
                          "ondialog click cmdRoll",
                          "ondialog print nothing",
                          "set playerNames(0) \"x\"",
                          "print chk1s(1).Caption trailing",
                          "set currentPlayer 5",
                          "set currentPlayer 2",
                          "set playerCount 0",
                          "expect rollCount [1,",
                          "expect rollCount \"unterminated",
                          "click chkDie(1)",
                          "start\nstart",
                          "set chkDie(2).Width 100000",
                          "set fraRoll.Height 10",
                          "focus Label1(1)",
                          "focus nosuchcontrol",
                          "release nosuchcontrol",
                          "keyup cmdRoll space",
                          "keyup chkDie(1) tab"}) {
    const Outcome o = runScript(std::string(kStart) + bad + "\n");
    EXPECT_EQ(o.code, 2) << bad;
    EXPECT_NE(o.err.find("line "), std::string::npos) << bad << ": " << o.err;
  }
  // A language comes before the start, and only one the game has.
  for (const char* bad : {"language xx", "language", "language de pl", "language de_CH",
                          "answer 1\nanswer Ann\nstart\nlanguage de"}) {
    const Outcome o = runScript(std::string(bad) + "\n" + kStart);
    EXPECT_EQ(o.code, 2) << bad;
    EXPECT_NE(o.err.find("line "), std::string::npos) << bad << ": " << o.err;
  }
}

// The lines the page writes for input that is no whole click or key stroke: the focus moved on
// its own, a button let go off the die it went down on, Space let go on a die it was not
// pressed on. Each does exactly what that input does, and no more.
TEST(ScriptLanguage, FocusReleaseAndKeyUpActAsTheirInputDoes) {
  std::ostringstream out;
  script::ScriptRunner runner(out);
  for (const char* line :
       {"answer 1", "answer Ann", "start", "faces 1 2 3 4 5", "click cmdRoll", "focus chkDie(2)"}) {
    runner.execute(line);
  }
  EXPECT_EQ(runner.read("focus").text, "chkDie(2)");
  runner.execute("focus");
  EXPECT_EQ(runner.read("focus").text, "");
  // A release off the die throws it again (two draws), and holds nothing.
  const double left = runner.read("chkDie(3).Left").number;
  runner.execute("random 0.0 0.9");
  runner.execute("release chkDie(3)");
  EXPECT_EQ(runner.read("chkDie(3).Value").number, 0);
  EXPECT_NE(runner.read("chkDie(3).Left").number, left);
  EXPECT_TRUE(runner.host().randoms.empty());
  // Space let go alone moves the die to the held row as the key's release does, unheld.
  runner.execute("focus chkDie(4)");
  runner.execute("keyup chkDie(4) space");
  EXPECT_EQ(runner.read("chkDie(4).Value").number, 0);
  EXPECT_EQ(runner.read("chkDie(4).Top").number, 180);
  EXPECT_EQ(runner.read("chkDie(4).Left").number, 4 * 720);
}

// Found by the fuzzer: seating the turn beyond the players made the next turn change index a
// card that does not exist. Every order of the two writes must keep the seat among the players.
TEST(ScriptLanguage, TheCurrentSeatStaysAmongThePlayers) {
  const std::string two = "answer 2\nanswer Ann\nanswer Bob\nstart\n";
  Outcome o = runScript(two + "set currentPlayer 2\nset playerCount 1\n");
  EXPECT_EQ(o.code, 2);
  EXPECT_NE(o.err.find("line 6"), std::string::npos) << o.err;
  // Also found by the fuzzer: before the start-up there are no players, so a commit walked the
  // turn from seat 0 past seat 4. No action may come before the window exists.
  for (const char* early : {"click chk4s(1)", "rightclick chkDie(1)", "key cmdRoll space",
                            "mousemove 1", "call SwitchPlayer", "set chk3s(1).Value 1"}) {
    o = runScript(std::string(early) + "\nanswer 1\nanswer Ann\nstart\n");
    EXPECT_EQ(o.code, 2) << early;
    EXPECT_NE(o.err.find("line 1:"), std::string::npos) << early << ": " << o.err;
  }
  o = runScript("faces 1 2 3 4 5\nanswer 1\nanswer Ann\nexpect rollCount 0\nstart\n");
  EXPECT_EQ(o.code, 0) << "queues and inspection may come first: " << o.err;
  o = runScript(two + "set currentPlayer 3\n");
  EXPECT_EQ(o.code, 2);
  EXPECT_NE(o.err.find("line 5"), std::string::npos) << o.err;
  o = runScript(two +
                "set playerCount 3\nset currentPlayer 3\nfaces 4 4 4 1 2\nclick cmdRoll\n"
                "click chk4s(3)\nexpect currentPlayer 1\nexpect txtSubTotal(3).Text \"12\"\n");
  EXPECT_EQ(o.code, 0) << o.err;
}

TEST(ScriptLanguage, ADialogWithNothingQueuedIsAScriptError) {
  Outcome o = runScript("start\n");
  EXPECT_EQ(o.code, 2);
  EXPECT_NE(o.err.find("line 1:"), std::string::npos);
  o = runScript(std::string(kStart) + "click cmdExit\n");
  EXPECT_EQ(o.code, 2);
  o = runScript(std::string(kStart) + "reply ok\nclick cmdExit\n");
  EXPECT_EQ(o.code, 2) << "a Yes/No box cannot take 'ok'";
}

TEST(ScriptLanguage, ExpectComparesValuesAndFailsWithExitOne) {
  Outcome o = runScript(std::string(kStart) +
                        "expect rollCount 0\nexpect playerNames [\"Ann\",\"\",\"\",\"\"]\n"
                        "expect chkDie(1).Visible false\nexpect chkDie(1).Top 180.0\n"
                        "expect cmdRoll.Caption \"Ann roll! [3 rolls left]\"\n");
  EXPECT_EQ(o.code, 0) << o.err;
  o = runScript(std::string(kStart) + "expect rollCount 1\nprint rollCount\n");
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("line 4"), std::string::npos);
  EXPECT_EQ(o.out.find("rollCount = 0"), std::string::npos) << "nothing runs after a failure";
}

TEST(ScriptLanguage, EchoesDialogsSoundsAndWaitsInOrder) {
  const Outcome o = runScript(
      "answer  3 players \ncancel\nanswer \"quoted\"\nanswer\nstart\n"
      "faces 1 2 3 4 5\nclick cmdRoll\nreply yes\nclick cmdExit\n");
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.out,
            "inputbox {\"title\":\"Number of Players\",\"prompt\":\"How many Players?\\r(1 to 4)\","
            "\"default\":\"2\"} -> \" 3 players \"\n"
            "inputbox {\"title\":\"Player Name\",\"prompt\":\"Player 1\\rEnter Your Name\","
            "\"default\":\"Player1\"} -> cancel\n"
            "inputbox {\"title\":\"Player Name\",\"prompt\":\"Player 2\\rEnter Your Name\","
            "\"default\":\"Player2\"} -> \"\\\"quoted\\\"\"\n"
            "inputbox {\"title\":\"Player Name\",\"prompt\":\"Player 3\\rEnter Your Name\","
            "\"default\":\"Player3\"} -> \"\"\n"
            "sound\ndelay 0.3\n"
            "msgbox {\"title\":\"Exit\",\"text\":\"Quit Now?\",\"buttons\":\"yesno\"} -> yes\n"
            "end\n");
}

// The end-to-end tests compare each window with these lines at every dialog of a game.
TEST(ScriptLanguage, OnDialogLinesShowTheFormAsEachDialogIsAsked) {
  const Outcome o =
      runScript("ondialog print cmdRoll.Caption\nondialog fingerprint\n" + std::string(kStart) +
                "fingerprint\nreply no\nclick cmdExit\n" + "fingerprint\n");
  ASSERT_EQ(o.code, 0) << o.err;
  std::vector<std::string> lines;
  std::istringstream in(o.out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 11u) << o.out;
  const std::string caption = "cmdRoll.Caption = ";
  for (std::size_t dialog : {2u, 5u, 9u}) {
    EXPECT_EQ(lines[dialog - 2].rfind(caption, 0), 0u) << lines[dialog - 2];
    EXPECT_EQ(lines[dialog - 1].rfind("fingerprint ", 0), 0u) << lines[dialog - 1];
    EXPECT_EQ(lines[dialog - 1].size(), 12u + 16u);
  }
  EXPECT_EQ(lines[7], caption + "\"Ann roll! [3 rolls left]\"");
  EXPECT_EQ(lines[9].rfind("msgbox {\"title\":\"Exit\"", 0), 0u);
  // The press on the quit button moved the focus to it before it asked, and No changes nothing.
  EXPECT_NE(lines[8], lines[6]);
  EXPECT_EQ(lines[10], lines[8]);
}

TEST(ScriptLanguage, NothingMayFollowTheEndOfTheProgram) {
  Outcome o = runScript(std::string(kStart) + "reply yes\nclick cmdExit\n# a comment\n\n");
  EXPECT_EQ(o.code, 0);
  o = runScript(std::string(kStart) + "reply yes\nclick cmdExit\nprint rollCount\n");
  EXPECT_EQ(o.code, 2);
  EXPECT_NE(o.err.find("ended"), std::string::npos);
}

TEST(ScriptLanguage, DumpIsOneJsonObjectWithEveryControl) {
  const Outcome o = runScript(std::string(kStart) + "dump\n");
  ASSERT_EQ(o.code, 0);
  const std::string dump = o.out.substr(o.out.find("{\"rollCount\""));
  EXPECT_EQ(dump.back(), '\n');
  EXPECT_NE(dump.find("\"chkDie(5)\":{\"Value\":0,"), std::string::npos);
  EXPECT_NE(dump.find("\"txtTotal(4)\":{\"Text\":\"\","), std::string::npos);
  EXPECT_NE(dump.find("\"playerNames\":[\"Ann\",\"\",\"\",\"\"]"), std::string::npos);
  EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 1);
}

// The end-to-end tests find the controls on screen from this line, so a control inside a frame
// must be placed by its frame's position too, and a die must be where the game has just put it.
TEST(ScriptLanguage, LayoutGivesEveryControlsPlaceInWindowPixels) {
  const Outcome o = runScript(std::string(kStart) +
                              "layout\nfaces 1 2 3 4 5\nclick cmdRoll\nclick chkDie(1)\nlayout\n");
  ASSERT_EQ(o.code, 0) << o.err;
  // The driver echoes dialogs as "inputbox {...}"; only the layout lines start with a brace.
  const std::size_t first = o.out.find("\n{");
  const std::size_t second = o.out.find("\n{", first + 1);
  ASSERT_NE(second, std::string::npos) << o.out;
  const std::string before = o.out.substr(first, second - first);
  const std::string after = o.out.substr(second);
  EXPECT_NE(before.find("\"cmdRoll\":[8,296,337,33]"), std::string::npos) << before;
  EXPECT_NE(before.find("\"chk1s(1)\":[432,52,29,25]"), std::string::npos) << before;
  EXPECT_NE(before.find("\"chkDie(5)\":["), std::string::npos) << before;
  const auto dieOne = [](const std::string& text) {
    const std::size_t at = text.find("\"chkDie(1)\":[");
    return at == std::string::npos ? std::string() : text.substr(at, text.find(']', at) - at);
  };
  EXPECT_NE(dieOne(before), "");
  EXPECT_NE(dieOne(before), dieOne(after)) << "holding die 1 moved it";
}

TEST(ScriptLanguage, ArbitraryBytesNeverCrashTheDriver) {
  std::mt19937 rng(5);
  const std::vector<std::string> words{"answer",
                                       "cancel",
                                       "reply yes",
                                       "reply no",
                                       "reply ok",
                                       "faces 6",
                                       "random 0.5",
                                       "start",
                                       "click cmdRoll",
                                       "click chkDie(2)",
                                       "rightclick chkDie(3)",
                                       "key chkDie(1) space",
                                       "click chk1s(1)",
                                       "click cmdNewGame",
                                       "set rollCount 3",
                                       "call SwitchPlayer",
                                       "call WiN",
                                       "set diceValues 9",
                                       "expect rollCount 0",
                                       "\xff\xfe",
                                       "click",
                                       "print"};
  for (int run = 0; run < 300; ++run) {
    std::string text;
    for (int line = 0; line < 30; ++line) {
      text += words[rng() % words.size()];
      if (rng() % 7 == 0) text += static_cast<char>(rng() % 256);
      text += "\n";
    }
    const Outcome o = runScript(text);
    EXPECT_TRUE(o.code == 0 || o.code == 1 || o.code == 2) << text;
  }
}

// Arrays are read by recursion: a line of a million opening brackets ran the driver's stack out.
// Nesting is refused past a depth no script needs, and a hundred levels still read.
TEST(ScriptLanguage, DeeplyNestedArraysAreRefusedWithoutRunningTheStackOut) {
  const auto nested = [](std::size_t depth) {
    return std::string(kStart) + "expect rollCount " + std::string(depth, '[') +
           std::string(depth, ']') + "\n";
  };
  Outcome o = runScript(nested(100));
  EXPECT_EQ(o.code, 1) << "read, and unequal to the roll count: " << o.err;
  o = runScript(nested(101));
  EXPECT_EQ(o.code, 2);
  EXPECT_NE(o.err.find("line 4: malformed value: arrays nested too deeply"), std::string::npos)
      << o.err;
  o = runScript(std::string(kStart) + "set rollCount " + std::string(1000000, '[') + "\n");
  EXPECT_EQ(o.code, 2) << o.err;
}
