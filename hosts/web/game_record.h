#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/host.h"

namespace webhost {

// The game in progress written as quintoz-script replays it: the start-up's answers and `start`,
// then each input the game acted on (`click`, `key`, ...), each preceded by what the game asked
// and drew while acting on it (`answer`, `reply`, `faces`, `random`), which the driver queues
// before the input runs. The page saves it after every input and replays it when it loads again.
// Owned by the page's host; holds only text.
class GameRecord {
 public:
  // Called when a start-up begins (the first game's, or a new game's after a reset): the record
  // forgets everything before it, and the input that led here will be written as `start`.
  void restart();
  // Called for what the game asks and draws while it acts on the current input.
  void answer(const std::string& text, bool cancelled);
  void reply(toolkit::MessageAnswer answer);
  void face(std::int16_t face);
  void draw(double value);
  // Called before the game acts on an input, with its line ("click cmdRoll") and the path of the
  // control the line leaves the focus on when replayed ("" when it leaves the focus alone).
  void begin(std::string line, std::string focusAfter);
  // Called once the game has acted on it, with the focus as it now is; the record adds a `focus`
  // line when the replay would otherwise leave it elsewhere. True when the input began a new
  // game, whose start-up has now ended.
  bool end(const std::string& focus);
  // Called by end's caller for a line that puts the game as it is after the input, such as
  // `set chkDie(1).Left 1230` for the dice a reset left where a fresh window has them elsewhere.
  void append(const std::string& line);

  // True once a start-up has ended: before that there is no game worth keeping.
  bool started() const { return started_; }
  // False once the game asked for an answer that a line cannot hold (a line break in it).
  bool writable() const { return writable_; }
  // The whole record as of now, with the input under way (if any) and the focus as given.
  std::string text(const std::string& focus) const;

 private:
  std::string queued() const;

  std::string lines_;                // every input ended since the start-up began
  std::string answers_;              // `answer`/`cancel`/`reply` lines of the current input
  std::vector<std::int16_t> faces_;  // faces drawn during the current input
  std::vector<double> draws_;        // other draws during the current input
  std::string input_;                // the current input's line, empty between inputs
  std::string inputFocus_;           // where that line leaves the focus when replayed
  std::string focus_;                // the focus after replaying lines_ ("" for none)
  bool restarted_ = false;           // restart() came during the current input
  bool started_ = false;
  bool writable_ = true;
};

}  // namespace webhost
