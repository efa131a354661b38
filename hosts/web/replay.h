#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/form.h"
#include "toolkit/host.h"

namespace webhost {

// One line of a saved game, as the page replays it: the lines of quintoz-script's language that
// the page writes (GameRecord), and no others.
struct ReplayStep {
  enum class Kind {
    Answer,   // text: the answer; cancelled for `cancel`
    Reply,    // reply
    Faces,    // numbers: faces 1..6
    Random,   // numbers: values in [0, 1)
    Start,    // the start-up
    Click,    // text: a control's path; button: 1 left, 2 right
    Key,      // text: a control's path; key: the key code
    KeyUp,    // the same, only the key's release
    Release,  // text: a control's path
    Focus,    // text: a control's path, or empty for none
    Set,      // text: a control's path; property: Left or Top; numbers: the value
  };
  Kind kind = Kind::Start;
  int line = 0;
  std::string text;
  std::string property;
  bool cancelled = false;
  toolkit::MessageAnswer reply = toolkit::MessageAnswer::Ok;
  std::int16_t button = 0;
  std::int16_t key = 0;
  std::vector<double> numbers;

  // True for the lines that act on the window (everything but the queued answers and draws).
  bool acts() const;
  // The line as the page writes it, for an action.
  std::string written() const;
};

struct ReplayScript {
  std::vector<ReplayStep> steps;
  std::string error;  // why the text is no replay ("line 3: ..."), empty when it is one
};

// Called by the page with a saved game's lines: every line the page writes, checked as the
// script driver checks it, without running anything. One `start`, before every other action.
ReplayScript parseReplay(std::string_view text);

// Called before the page replays an action: finds the control it names (nullptr for none) and
// says why the action cannot be replayed on the form as it is now, as the script driver would
// refuse it ("" when it can). Changes nothing.
std::string replayProblem(const toolkit::Form& form, const ReplayStep& step,
                          toolkit::Control*& control);

// A key as a line names it: "space", or the character.
std::string keyWord(std::int16_t key);

}  // namespace webhost
