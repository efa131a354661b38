#include "hosts/fltk/command_line.h"

#include "quintoz_version.h"

namespace fltkhost {
namespace {

constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "Usage: quintoz [--help | --version]\n"
    "Quintoz, a dice game for one to four players taking turns at one computer.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Without options the game starts in its window and asks for the players.\n"
    "Quintoz is based in part on the work of the FLTK project (https://www.fltk.org).\n";

}  // namespace

CommandLineAnswer answerCommandLine(std::span<const std::string_view> arguments) {
  if (arguments.empty()) return {};
  bool help = false;
  for (std::string_view argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument != "--version" && argument != "-V") {
      // A mistyped option must not start the game: the player would not see the mistake.
      return {kUsageError, "",
              "quintoz: unknown option '" + std::string(argument) + "'\n" + std::string(kUsage)};
    }
  }
  if (help) return {0, std::string(kUsage), ""};
  return {0, std::string("quintoz ") + QUINTOZ_VERSION + "\n", ""};
}

}  // namespace fltkhost
