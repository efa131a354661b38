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

// The script as the driver would read it from a file, cut after kMaxLines lines.
std::string boundedScript(std::string_view bytes) {
  std::size_t lines = 0;
  std::size_t end = 0;
  while (end < bytes.size() && lines < kMaxLines) {
    const std::size_t newline = bytes.find('\n', end);
    end = newline == std::string_view::npos ? bytes.size() : newline + 1;
    ++lines;
  }
  return std::string(bytes.substr(0, end));
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
