#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "hosts/script/script_executor.h"
#include "hosts/script_language/script_line.h"

// The executor's readings of a line's words against the window, refusing through the side
// (which never returns) when a word is no such value. Shared by its two files.
namespace script::values {

inline long long wholeNumber(ScriptSide& side, std::string_view s, const char* what) {
  long long v = 0;
  if (std::string why = readWhole(s, what, v); !why.empty()) side.refuse(Refusal::LineError, why);
  return v;
}

inline double realNumber(ScriptSide& side, std::string_view s, const char* what) {
  double v = 0;
  if (std::string why = readReal(s, what, v); !why.empty()) side.refuse(Refusal::LineError, why);
  return v;
}

// "name(3)" to name and 3; "name" to name and -1.
inline std::pair<std::string, int> splitIndex(ScriptSide& side, std::string_view s) {
  const std::size_t open = s.find('(');
  if (open == std::string_view::npos || s.back() != ')') return {std::string(s), -1};
  const std::string_view digits = s.substr(open + 1, s.size() - open - 2);
  return {std::string(s.substr(0, open)), static_cast<int>(wholeNumber(side, digits, "an index"))};
}

}  // namespace script::values
