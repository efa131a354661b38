#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace fltkhost {

// What the command line asks of the program before any window exists: an exit status and the
// text for standard output and standard error when it should end there, or no status when the
// game should start.
struct CommandLineAnswer {
  std::optional<int> status;
  std::string out;
  std::string err;
};

// main() calls this with the arguments after the program name, before it touches FLTK or the
// display, and writes out the texts itself. It changes nothing.
CommandLineAnswer answerCommandLine(std::span<const std::string_view> arguments);

}  // namespace fltkhost
