#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hosts/script_language/script_line.h"
#include "toolkit/control.h"

namespace webhost {

// One line of a saved game, read by the script language's reader as quintoz-script reads it,
// with its number in the save. The page replays the lines it writes (GameRecord) and no others,
// through the script language's executor.
struct ReplayStep : script::ScriptLine {
  int number = 0;

  // True for the lines that act on the window (everything but the queued answers and draws).
  bool acts() const;
};

struct ReplayScript {
  std::vector<ReplayStep> steps;
  std::string error;  // why the text is no replay ("line 3: ..."), empty when it is one
};

// Called by the page with a saved game's lines: every line read and checked as the script
// driver reads and checks it, without running anything. One `start`, before every other action.
ReplayScript parseReplay(std::string_view text);

// Called by the page as it replays an action: the line as the page writes it down again.
std::string writtenLine(const script::ScriptLine& line);

// A key as a line names it: "space", or the character.
std::string keyWord(std::int16_t key);

}  // namespace webhost
