#include "hosts/script/script_runner.h"

#include "hosts/script_language/script_line.h"

namespace script {

ScriptRunner::ScriptRunner(std::ostream& out) : out_(out), host_(out), game_(host_) {
  host_.asking = [this] { executor_.dialogAsked(); };
}

int ScriptRunner::run(std::istream& script, std::ostream& errors) {
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    const std::string_view whole = lineBody(line);
    if (whole.empty()) continue;
    if (ended_) {
      errors << "line " << number << ": the program has ended; nothing more can run\n";
      return 2;
    }
    try {
      execute(whole);
    } catch (const ExpectFailed& e) {
      out_.flush();
      errors << "line " << number << ": " << e.what() << "\n";
      return 1;
    } catch (const ScriptError& e) {
      out_.flush();
      errors << "line " << number << ": " << e.what() << "\n";
      return 2;
    }
  }
  return 0;
}

void ScriptRunner::act(const ScriptLine& /*line*/, const toolkit::Control* /*control*/,
                       const std::function<void()>& input) {
  try {
    input();
  } catch (const ProgramEnded&) {
    ended_ = true;
  }
}

void ScriptRunner::stop(Refusal kind, const std::string& why) {
  if (kind == Refusal::ExpectFailed) throw ExpectFailed(why);
  throw ScriptError(why);
}

}  // namespace script
