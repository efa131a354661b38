#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace fltkhost {

// Handles the program's options before any window or display exists. main() calls it with the
// arguments after the program name; it writes the version or the usage to `out`, or an error
// and the usage to `err`. It returns the exit status when the program should end there, and
// nothing when the game should start.
std::optional<int> handleCommandLine(std::span<const std::string_view> arguments, std::ostream& out,
                                     std::ostream& err);

}  // namespace fltkhost
