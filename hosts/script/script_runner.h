#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "hosts/script/script_host.h"
#include "hosts/script/whole_script_executor.h"
#include "hosts/script_language/json.h"
#include "ui/frmQuintoz.h"

namespace script {

// Runs a script against the real window, headless. Exit codes: 0 when every line ran (or the
// program ended), 1 when an expect line failed, 2 when a line is wrong or cannot be carried out.
class ScriptRunner : private ScriptSide {
 public:
  explicit ScriptRunner(std::ostream& out);

  // Called by the driver's main and by tests: runs every line of the script in order.
  int run(std::istream& script, std::ostream& errors);
  // Called by run, and by tests to drive the game a line at a time. Throws ScriptError or
  // ExpectFailed.
  void execute(std::string_view line) { executor_.execute(line); }

  frmQuintoz& game() { return game_; }
  ScriptHost& host() { return host_; }
  bool ended() const { return ended_; }

  struct ExpectFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
  };

  // The whole state as one JSON object: the variables and every control's properties.
  std::string dump() const { return executor_.dump(); }
  // Every control's rectangle in window pixels at 96 dpi, as the window places it now: the
  // end-to-end tests find the controls on screen with it.
  std::string layout() const { return executor_.layout(); }
  // The current value of a target ("rollCount", "chk1s(2).Caption").
  JsonValue read(std::string_view target) const { return executor_.read(target); }

 private:
  void queueAnswer(bool cancelled, const std::string& text) override {
    host_.inputAnswers.push_back({cancelled, text});
  }
  void queueReply(toolkit::MessageAnswer reply) override { host_.messageAnswers.push_back(reply); }
  void queueFace(std::int16_t face) override { host_.faces.push_back(face); }
  void queueRandom(double value) override { host_.randoms.push_back(value); }
  void seed(std::uint64_t value) override { host_.seed(value); }
  double clock() const override { return host_.now(); }
  // Notes the program's end (the game's handlers throw ProgramEnded) and lets the script go on.
  void act(const ScriptLine& line, const toolkit::Control* control,
           const std::function<void()>& input) override;
  void print(const std::string& text) override { out_ << text << "\n"; }
  [[noreturn]] void stop(Refusal kind, const std::string& why) override;

  std::ostream& out_;
  ScriptHost host_;
  frmQuintoz game_;
  WholeScriptExecutor executor_{game_, *this};
  bool ended_ = false;
};

}  // namespace script
