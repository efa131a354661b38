#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/script_language/json.h"
#include "toolkit/host.h"

namespace script {

// The commands of the script language, one a line; those from Click to Set act on the window.
enum class Command {
  Unknown,
  Answer,
  Cancel,
  Reply,
  Faces,
  Random,
  Seed,
  Language,
  Start,
  Dump,
  Layout,
  Fingerprint,
  OnDialog,
  Print,
  Expect,
  Click,
  RightClick,
  Key,
  KeyUp,
  Release,
  Focus,
  MouseMove,
  Call,
  Set
};

// One line of a script as the language reads it: the command and its arguments, checked as far
// as they can be without the window. What a name or a target stands for is the driver's to
// find out when the line runs.
struct ScriptLine {
  Command command = Command::Unknown;
  // answer: the rest of the line, verbatim; click, rightclick, release, focus, key, keyup: the
  // control's path ("" for `focus` alone); call: the procedure; set, print, expect: the target;
  // ondialog: the line to run at each dialog; language: the language's code.
  std::string text;
  std::string argument;                                       // call: as written, "" for none
  toolkit::MessageAnswer reply = toolkit::MessageAnswer::Ok;  // reply
  std::int16_t key = 0;                                       // key, keyup: the key's code
  std::vector<double> numbers;  // faces: each 1 to 6; random: each in [0, 1)
  long long whole = 0;          // seed; mousemove: the buttons held, 0 to 7
  JsonValue value;              // set, expect: the value, or the values as one array
  std::string error;            // why the line is wrong; "" when it reads

  // True for the commands that act on the window, which `start` creates.
  bool actsOnWindow() const;
};

// Called by the driver for every line it runs and by the page for every line of a saved game:
// reads one line (blanks before the command are allowed, not a line end). Changes nothing.
ScriptLine readLine(std::string_view line);

// Called by the driver and the page with each line of a script as it comes (line end excluded):
// the line without its leading blanks and a carriage return at its end, or "" for a blank line
// or a comment (`#`), which run nothing.
std::string_view lineBody(std::string_view raw);

// Called by the driver and the page before a line runs, `started` saying whether a `start` came
// before it: why the line cannot run there (its own error, or its place: no action before the
// window exists, one start), or "" when it can.
std::string lineProblem(const ScriptLine& line, bool started);

// The command as a line writes it ("rightclick").
std::string_view commandWord(Command command);
// A message box's answer as a `reply` line writes it ("yes").
std::string_view replyWord(toolkit::MessageAnswer answer);

// Called by the reader and by the driver for the arguments it reads against the window (an
// index, a procedure's argument): the word as a whole number, or as a finite real number, or
// why it is none ("WHAT must be a whole number, not 'x'"). "" when it is one.
std::string readWhole(std::string_view word, const char* what, long long& value);
std::string readReal(std::string_view word, const char* what, double& value);

}  // namespace script
