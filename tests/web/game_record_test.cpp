#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "hosts/web/game_record.h"
#include "hosts/web/replay.h"

namespace {

using script::Command;
using webhost::GameRecord;
using webhost::parseReplay;

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
  EXPECT_EQ(s.steps[6].text, "chkDie(1).Left");
  EXPECT_EQ(s.steps[6].value.number, 1230.5);
  EXPECT_EQ(s.steps[7].command, Command::Focus);
  EXPECT_EQ(s.steps[10].key, 'A');
  EXPECT_EQ(s.steps[11].command, Command::RightClick);
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

namespace {

// A line's values as the page writes them: what the game asked and drew as the record writes
// it, an action as the replay writes it down again.
std::string pageWrites(const webhost::ReplayStep& v) {
  GameRecord r;
  r.begin("click cmdRoll", "");
  if (v.command == Command::Answer || v.command == Command::Cancel) {
    r.answer(v.text, v.command == Command::Cancel);
  } else if (v.command == Command::Reply) {
    r.reply(v.reply);
  } else if (v.command == Command::Faces) {
    for (double f : v.numbers) r.face(static_cast<std::int16_t>(f));
  } else if (v.command == Command::Random) {
    for (double d : v.numbers) r.draw(d);
  } else {
    return webhost::writtenLine(v);
  }
  const std::string text = r.text("");
  return text.substr(0, text.find('\n'));
}

}  // namespace

// Every kind of line the page writes, read by the script language's reader (the driver's too)
// back to the command and values it was written from.
TEST(Replay, EveryLineThePageWritesReadsBackToItsValues) {
  using toolkit::MessageAnswer;
  struct Row {
    Command command;
    std::string text = {};
    std::vector<double> numbers = {};
    std::int16_t key = 0;
    MessageAnswer reply = MessageAnswer::Ok;
    double at = 0;  // set's value
  };
  const std::vector<Row> rows{
      {Command::Answer, " Zo\xc3\xab  \"x\" "},
      {Command::Answer},
      {Command::Cancel},
      {Command::Reply, "", {}, 0, MessageAnswer::Yes},
      {Command::Reply, "", {}, 0, MessageAnswer::No},
      {Command::Reply},
      {Command::Faces, "", {1, 2, 3, 4, 5, 6}},
      {Command::Random, "", {0.0, 0.1 + 0.2, 5e-324, 0.9999999999999999, 1e-7}},
      {Command::Start},
      {Command::Click, "cmdRoll"},
      {Command::RightClick, "chkDie(3)"},
      {Command::Key, "chkDie(2)", {}, toolkit::kKeySpace},
      {Command::Key, "cmdRoll", {}, 'Q'},
      {Command::KeyUp, "chkDie(1)", {}, '7'},
      {Command::Release, "chkDie(4)"},
      {Command::Focus, "chk1s(2)"},
      {Command::Focus},
      // A place is a float, written as the double it widens to.
      {Command::Set, "chkDie(1).Left", {}, 0, MessageAnswer::Ok, 1234.56f},
      {Command::Set, "chkDie(5).Top", {}, 0, MessageAnswer::Ok, -1e-5},
  };
  for (const Row& row : rows) {
    webhost::ReplayStep written;
    written.command = row.command;
    written.text = row.text;
    written.numbers = row.numbers;
    written.key = row.key;
    written.reply = row.reply;
    written.value = script::JsonValue::of(row.at);
    const std::string line = pageWrites(written);
    const script::ScriptLine read = script::readLine(line);
    ASSERT_EQ(read.error, "") << line;
    EXPECT_EQ(read.command, row.command) << line;
    EXPECT_EQ(read.text, row.text) << line;
    EXPECT_EQ(read.numbers, row.numbers) << line;
    EXPECT_EQ(read.key, row.key) << line;
    EXPECT_EQ(read.reply, row.reply) << line;
    if (row.command == Command::Set) {
      EXPECT_EQ(read.value.number, row.at) << line;
    }
  }
  // The browser writes exponents without a leading zero, and with a plus when positive.
  EXPECT_EQ(script::readLine("random 1e-7 5e-324").numbers, (std::vector<double>{1e-7, 5e-324}));
  EXPECT_EQ(script::readLine("set chkDie(2).Top 1e+21").value.number, 1e21);
}
