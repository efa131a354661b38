#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/script/script_host.h"
#include "hosts/script_language/json.h"
#include "ui/frmQuintoz.h"

namespace script {

// Runs a script against the real window, headless. Exit codes: 0 when every line ran (or the
// program ended), 1 when an expect line failed, 2 when a line is wrong or cannot be carried out.
class ScriptRunner {
 public:
  explicit ScriptRunner(std::ostream& out);

  // Called by the driver's main and by tests: runs every line of the script in order.
  int run(std::istream& script, std::ostream& errors);
  // Called by run, and by tests to drive the game a line at a time. Throws ScriptError,
  // ExpectFailed or ProgramEnded.
  void execute(std::string_view line);

  frmQuintoz& game() { return game_; }
  ScriptHost& host() { return host_; }
  bool ended() const { return ended_; }

  struct ExpectFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
  };

  // The whole state as one JSON object: the variables and every control's properties.
  std::string dump() const;
  // Every control's rectangle in window pixels at 96 dpi, as the window places it now: the
  // end-to-end tests find the controls on screen with it.
  std::string layout() const;
  // The current value of a target ("rollCount", "chk1s(2).Caption").
  JsonValue read(std::string_view target) const;

 private:
  void write(std::string_view target, const JsonValue& value);
  toolkit::Control& control(std::string_view path) const;
  void callProcedure(std::string_view name, std::string_view argument);
  // Runs what may end the program (the game's handlers throw ProgramEnded), noting when it does.
  void untilEnd(const std::function<void()>& action);
  void runHandler(const std::function<void()>& handler);

  std::ostream& out_;
  ScriptHost host_;
  frmQuintoz game_;
  bool started_ = false;
  bool ended_ = false;
  // The `ondialog` lines, carried out in order as each dialog is asked.
  std::vector<std::string> onDialog_;
};

}  // namespace script
