#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/script_language/json.h"
#include "hosts/script_language/script_line.h"
#include "ui/frmQuintoz.h"

namespace script {

// How a line is refused: an `expect` that does not hold, or a line that cannot run.
enum class Refusal { LineError, ExpectFailed };

// What the program running the lines gives the executor: quintoz-script (ScriptRunner) and the
// page replaying a saved game each have one. The executor checks and carries out every line the
// same way for both, and reaches the program only through this.
class ScriptSide {
 public:
  // answer, cancel, reply, faces, random, seed: what the game is to take when it next asks or
  // draws.
  virtual void queueAnswer(bool cancelled, const std::string& text) = 0;
  virtual void queueReply(toolkit::MessageAnswer reply) = 0;
  virtual void queueFace(std::int16_t face) = 0;
  virtual void queueRandom(double value) = 0;
  virtual void seed(std::uint64_t value) = 0;
  // The game's clock, as the target `clock` reads it.
  virtual double clock() const = 0;
  // Runs `input`, which runs the game's code for `line` (start, an action on `control`, a set,
  // a call; control is null when the line names none). It may end the program.
  virtual void act(const ScriptLine& line, const toolkit::Control* control,
                   const std::function<void()>& input) = 0;
  // A line of output: print, dump, layout, fingerprint, and what a called randomDie drew.
  virtual void print(const std::string& text) = 0;
  // Called by the executor for a line it cannot carry out: the line in progress stops here, and
  // the lines after it do not run.
  [[noreturn]] void refuse(Refusal kind, const std::string& why) {
    stop(kind, why);
    std::abort();  // a stop that came back would run the rest of a refused line
  }

 protected:
  ~ScriptSide() = default;
  // The program's way to stop: the driver throws, the page gives up the saved game. Must not
  // return.
  virtual void stop(Refusal kind, const std::string& why) = 0;
};

// Why a script stops when the game asks an input box (inputBox) or shows a message box and the
// lines queued nothing to answer it; and why a queued reply cannot answer a message box with
// these buttons ("" when it is one of them). The driver and the page stop alike there.
std::string nothingQueued(bool inputBox);
std::string replyProblem(toolkit::MessageAnswer reply, toolkit::MessageButtons buttons);

// The executor of the script language, for the lines that play the game: the answers and draws
// queued for it, start, the actions on the window and set. The page replays a saved game with
// it, and quintoz-script runs every line with WholeScriptExecutor, built on it; both check and
// carry out each of these lines here, with the messages of quintoz-script's contract.
class ScriptExecutor {
 public:
  ScriptExecutor(frmQuintoz& game, ScriptSide& side) : game_(game), side_(side) {}
  virtual ~ScriptExecutor() = default;
  ScriptExecutor(const ScriptExecutor&) = delete;
  ScriptExecutor& operator=(const ScriptExecutor&) = delete;

  // Called by the driver for each line of a script, and by the page for each line of a saved
  // game (read and checked by the reader first): carries it out, or refuses it through the side.
  void execute(std::string_view text) { run(readLine(text)); }
  void run(const ScriptLine& line);

 protected:
  // The lines that look at the game, call its procedures or change its language; here they are
  // refused.
  virtual void runOther(const ScriptLine& line);
  toolkit::Control& control(std::string_view path) const;
  [[noreturn]] void refuse(const std::string& why) const { side_.refuse(Refusal::LineError, why); }

  frmQuintoz& game_;
  ScriptSide& side_;

 private:
  void write(std::string_view target, const JsonValue& value);

  bool started_ = false;
};

}  // namespace script
