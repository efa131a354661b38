#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "toolkit/host.h"
#include "toolkit/uniform_random.h"

namespace script {

// A script line the driver cannot carry out; the driver reports it with the line's number.
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Thrown by endProgram so that the game's handlers unwind and the driver can stop.
struct ProgramEnded {};

// The headless host: dialogs are answered from queues the script fills, time is virtual, the
// random draws are dictated or seeded, and every platform effect is echoed as one line.
class ScriptHost : public toolkit::Host {
 public:
  explicit ScriptHost(std::ostream& echo) : echo_(echo) {}

  // Queues, filled by the driver and consumed when the game asks.
  struct InputAnswer {
    bool cancelled = false;
    std::string text;
  };
  std::deque<InputAnswer> inputAnswers;
  std::deque<toolkit::MessageAnswer> messageAnswers;
  std::deque<std::int16_t> faces;
  std::deque<double> randoms;
  void seed(std::uint64_t value) { generator_.seed(value); }
  double now() const { return clock_; }

  std::string inputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  toolkit::MessageAnswer messageBox(const std::string& text, const std::string& title,
                                    toolkit::MessageButtons buttons,
                                    toolkit::MessageAnswer defaultAnswer) override;
  // Set by tests that look at the window as a real host would show it while a handler waits
  // (the accessibility tree during a turn change); called by every repaint.
  std::function<void()> repainted;
  // Set by the driver for its `ondialog` lines: called as the game asks for an input box or
  // shows a message box, before the dialog's line is echoed. May write to the echo stream.
  std::function<void()> asking;

  void repaint() override {
    if (repainted) repainted();
  }
  double clockSeconds() override { return clock_; }
  void sleepUpTo(double seconds) override;
  void randomize() override {}  // replays must not depend on the time of day
  double random(toolkit::RandomUse use) override;
  void playRollSound() override;
  void dragWindow() override;
  [[noreturn]] void endProgram() override;

 private:
  std::ostream& echo_;
  toolkit::UniformRandom generator_{1};
  double clock_ = 0;
};

}  // namespace script
