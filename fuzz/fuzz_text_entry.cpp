// Feeds arbitrary bytes to every place where a player's own text enters the game: the answer
// to "How many Players?" and the names typed at start-up. The texts reach the game through a
// host that answers its input boxes, exactly as a window would, and the fuzzer checks what the
// player then sees: a player count from 1 to 4, each name on its card in full, and the roll
// button showing the name's first ten characters, never a broken character.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "game/numbers.h"
#include "game/text.h"
#include "hosts/script_language/json.h"
#include "toolkit/uniform_random.h"
#include "ui/frmQuintoz.h"

namespace {

// Stops the fuzzer with a crash report naming the broken promise.
void check(bool holds, const char* promise) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
  }
}

// Where each character of the text starts, by the UTF-8 rules of Unicode's table of
// well-formed byte sequences, written independently of the game's own decoder so that the two
// check each other. A byte that does not start a well-formed sequence is a character of its
// own. The last entry is the text's length.
struct Characters {
  std::vector<std::size_t> starts;
  bool wellFormed = true;
};

Characters splitCharacters(std::string_view text) {
  Characters result;
  std::size_t i = 0;
  while (i < text.size()) {
    result.starts.push_back(i);
    const auto at = [&](std::size_t k) {
      return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0x00;
    };
    const unsigned char b0 = at(0);
    const auto in = [](unsigned char b, unsigned char lo, unsigned char hi) {
      return b >= lo && b <= hi;
    };
    std::size_t length = 0;
    if (b0 <= 0x7F) {
      length = 1;
    } else if (in(b0, 0xC2, 0xDF) && in(at(1), 0x80, 0xBF)) {
      length = 2;
    } else if ((b0 == 0xE0 && in(at(1), 0xA0, 0xBF)) ||
               ((in(b0, 0xE1, 0xEC) || in(b0, 0xEE, 0xEF)) && in(at(1), 0x80, 0xBF)) ||
               (b0 == 0xED && in(at(1), 0x80, 0x9F))) {
      length = in(at(2), 0x80, 0xBF) ? 3 : 0;
    } else if ((b0 == 0xF0 && in(at(1), 0x90, 0xBF)) ||
               (in(b0, 0xF1, 0xF3) && in(at(1), 0x80, 0xBF)) ||
               (b0 == 0xF4 && in(at(1), 0x80, 0x8F))) {
      length = in(at(2), 0x80, 0xBF) && in(at(3), 0x80, 0xBF) ? 4 : 0;
    }
    if (length == 0) {
      result.wellFormed = false;
      length = 1;
    }
    i += length;
  }
  result.starts.push_back(text.size());
  return result;
}

// The cut the game makes for the roll button must be the text's first `count` characters:
// a prefix, no more characters than asked, ending on a character boundary, and well-formed
// whenever the text is.
void checkCut(std::string_view text, std::size_t count) {
  const std::string cut = firstCharacters(text, count);
  check(text.substr(0, cut.size()) == cut, "the cut text is a prefix of the typed text");
  const Characters all = splitCharacters(text);
  const std::size_t characters = all.starts.size() - 1;
  const std::size_t kept = std::min(count, characters);
  check(cut.size() == all.starts[kept], "the cut keeps exactly the first characters");
  const Characters part = splitCharacters(cut);
  check(part.starts.size() - 1 <= count, "the cut has at most the characters asked for");
  if (all.wellFormed) check(part.wellFormed, "a well-formed text is cut into well-formed text");
}

// The echo the driver prints for a typed text must stay valid UTF-8 JSON, and a well-formed
// text must read back unchanged.
void checkQuoted(std::string_view text) {
  const std::string quoted = script::quote(text);
  check(splitCharacters(quoted).wellFormed, "quoted text is well-formed UTF-8");
  check(std::none_of(quoted.begin(), quoted.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
        "quoted text has no raw control characters");
  if (splitCharacters(text).wellFormed) {
    std::size_t pos = 0;
    script::JsonValue back;
    const std::string error = script::parseValue(quoted, pos, back);
    check(error.empty() && pos == quoted.size() && back.text == text,
          "well-formed text reads back unchanged");
  }
}

// The player count an answer made only of blanks and up to nine digits must give.
bool plainCount(std::string_view answer, std::int64_t& count) {
  std::size_t i = 0;
  while (i < answer.size() && (answer[i] == ' ' || answer[i] == '\t')) ++i;
  const std::string_view digits = answer.substr(i);
  if (digits.empty() || digits.size() > 9) return false;
  count = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    count = count * 10 + (c - '0');
  }
  count = std::clamp<std::int64_t>(count, 1, 4);
  return true;
}

// A window's side of the start-up dialogs: the count answer, then the names in order (Cancel,
// an empty text, once they run out). It notes the roll button's caption at every repaint, which
// is what the player sees during the turn change's pause.
class TextEntryHost : public toolkit::Host {
 public:
  std::string countAnswer;
  std::vector<std::string> names;
  std::size_t namesGiven = 0;
  const toolkit::Control* rollButton = nullptr;
  std::vector<std::string> paintedRollCaptions;

  std::string inputBox(const std::string& prompt, const std::string& title,
                       const std::string&) override {
    if (title == "Number of Players") return countAnswer;
    check(title == "Player Name" && prompt.rfind("Player ", 0) == 0,
          "the start-up asks only for the count and the names");
    return namesGiven < names.size() ? names[namesGiven++] : std::string();
  }
  toolkit::MessageAnswer messageBox(const std::string&, const std::string&, toolkit::MessageButtons,
                                    toolkit::MessageAnswer) override {
    check(false, "no message box appears in a game's first turn");
    return toolkit::MessageAnswer::No;
  }
  void repaint() override {
    if (rollButton != nullptr) paintedRollCaptions.push_back(rollButton->Caption);
  }
  double clockSeconds() override { return clock_; }
  void sleepUpTo(double seconds) override { clock_ += seconds; }
  void randomize() override {}
  double random(toolkit::RandomUse) override { return random_.next(); }
  void playRollSound() override {}
  void dragWindow() override {}
  [[noreturn]] void endProgram() override {
    check(false, "nothing in a game's first turn ends the program");
    std::abort();
  }

 private:
  double clock_ = 0;
  toolkit::UniformRandom random_{3};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return -1;
  FuzzedDataProvider input(data, size);
  TextEntryHost host;
  host.countAnswer = input.ConsumeRandomLengthString(64);
  for (int i = 0; i < 4; ++i) host.names.push_back(input.ConsumeRandomLengthString(256));

  // The count alone: always a seat count, and the plain number itself when it is one.
  const std::int16_t count = playerCountFromAnswer(host.countAnswer);
  check(count >= 1 && count <= 4, "the player count is 1 to 4");
  check(!std::isnan(textToNumber(host.countAnswer)), "an answer never reads as NaN");
  if (std::int64_t plain = 0; plainCount(host.countAnswer, plain)) {
    check(count == plain, "a plain number answer gives that count, clamped to 1..4");
  }
  checkCut(host.countAnswer, 10);
  for (const std::string& name : host.names) {
    for (std::size_t n = 0; n <= 12; ++n) checkCut(name, n);
    checkQuoted(name);
  }

  // The same texts typed into the real start-up.
  frmQuintoz game(host);
  host.rollButton = &game.cmdRoll;
  game.form.load();
  check(game.playerCount == count, "the game takes the count the answer gives");
  for (std::int16_t seat = 1; seat <= count; ++seat) {
    check(game.playerNames[seat] == host.names[seat - 1], "a name is kept exactly as typed");
  }
  const std::string& first = host.names[0];
  check(game.cmdRoll.Caption == firstCharacters(first, 10) + " roll! [3 rolls left]",
        "the roll button names the first player");
  check(game.fraPlayer[1].Caption == first, "the first card shows the whole name");

  // One turn: a roll, then a commit; the pause shows the finishing player, then the next
  // player's name takes the button and the card.
  game.form.clickControl(game.cmdRoll, toolkit::kLeftButton);
  check(game.rollCount == 1, "the roll button rolls");
  check(game.cmdRoll.Caption == firstCharacters(first, 10) + " roll! [2 rolls left]",
        "the roll button counts the rolls left");
  host.paintedRollCaptions.clear();
  game.form.clickControl(game.chkChance[1], toolkit::kLeftButton);
  const std::string finishing = firstCharacters(first, 10) + " Finishing Turn";
  check(std::find(host.paintedRollCaptions.begin(), host.paintedRollCaptions.end(), finishing) !=
            host.paintedRollCaptions.end(),
        "the pause shows the finishing player");
  const std::int16_t next = count == 1 ? 1 : 2;
  const std::string& nextName = host.names[static_cast<std::size_t>(next - 1)];
  check(game.currentPlayer == next, "the turn passes to the next seat");
  check(game.cmdRoll.Caption == firstCharacters(nextName, 10) + " roll! [3 rolls left]",
        "the roll button names the next player");
  check(game.fraPlayer[next].Caption == nextName, "the next card shows the whole name");
  return 0;
}
