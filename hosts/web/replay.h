#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hosts/script_language/script_line.h"
#include "toolkit/form.h"

namespace webhost {

// One line of a saved game, read by the script language's reader as quintoz-script reads it,
// with its number in the save. The page replays the lines it writes (GameRecord) and no others.
struct ReplayStep : script::ScriptLine {
  int number = 0;
  std::string control;  // the control an action names ("" for `start` and `focus` alone)

  // True for the lines that act on the window (everything but the queued answers and draws).
  bool acts() const;
  // The line as the page writes it, for an action.
  std::string written() const;
};

struct ReplayScript {
  std::vector<ReplayStep> steps;
  std::string error;  // why the text is no replay ("line 3: ..."), empty when it is one
};

// Called by the page with a saved game's lines: every line read and checked as the script
// driver reads and checks it, without running anything. One `start`, before every other action.
ReplayScript parseReplay(std::string_view text);

// Called before the page replays an action: finds the control it names (nullptr for none) and
// says why the action cannot be replayed on the form as it is now, as the script driver would
// refuse it ("" when it can). Changes nothing.
std::string replayProblem(const toolkit::Form& form, const ReplayStep& step,
                          toolkit::Control*& control);

// A key as a line names it: "space", or the character.
std::string keyWord(std::int16_t key);

}  // namespace webhost
