// Feeds arbitrary bytes to the headless driver as a whole script. Whatever the bytes, the
// driver must finish with status 0, 1 or 2, and neither the driver nor the game under it may
// crash, leak, read out of bounds, hit undefined behaviour, throw an exception nobody catches,
// or run without end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include "hosts/script/script_runner.h"

namespace {

// Scripts longer than this add nothing the mutator cannot reach with shorter ones, and the cap
// keeps every run short enough to tell a slow input from a hang.
constexpr std::size_t kMaxBytes = 4096;
constexpr std::size_t kMaxLines = 200;

// Swallows the driver's echo and error lines: the fuzzer checks behaviour, not wording, and
// formatting thousands of lines per second into a growing string would only slow it down.
class DiscardBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// True for a line that resizes a die or the tray, read the way the driver reads it. Such a line
// can leave no free place for a die, and the dice scatter then searches forever: the game
// relies on its own layout, where a place is always free. That hang is known and reported (the
// driver should refuse those sizes); keeping such lines out lets the fuzzer look for others.
bool resizesDiceOrTray(std::string_view line) {
  line = trimBlanks(line);
  const std::size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos || line.substr(0, blank) != "set") return false;
  std::string_view target = trimBlanks(line.substr(blank + 1));
  target = target.substr(0, target.find_first_of(" \t"));
  const std::size_t dot = target.find('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view control = target.substr(0, dot);
  const std::string_view property = target.substr(dot + 1);
  return (control == "fraRoll" || control.rfind("chkDie(", 0) == 0) &&
         (property == "Width" || property == "Height");
}

// The script as the driver would read it from a file, cut after kMaxLines lines, with the
// lines that resize the dice or the tray turned into comments (so line numbers stay the same).
std::string boundedScript(std::string_view bytes) {
  std::string script;
  std::size_t lines = 0;
  std::size_t start = 0;
  while (start < bytes.size() && lines < kMaxLines) {
    const std::size_t newline = bytes.find('\n', start);
    const std::size_t end = newline == std::string_view::npos ? bytes.size() : newline + 1;
    const std::string_view line = bytes.substr(start, end - start);
    if (resizesDiceOrTray(line)) script += '#';
    script += line;
    start = end;
    ++lines;
  }
  return script;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxBytes) return -1;  // not worth keeping in the corpus
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  DiscardBuffer discard;
  std::ostream out(&discard);
  std::ostream errors(&discard);
  script::ScriptRunner runner(out);
  std::istringstream script(boundedScript(bytes));
  const int status = runner.run(script, errors);
  // The driver's documented statuses are the only ones a caller may ever see.
  if (status != 0 && status != 1 && status != 2) std::abort();
  // Whatever state the script left behind can still be shown in full, as `dump` would.
  if (runner.dump().empty()) std::abort();
  return 0;
}
