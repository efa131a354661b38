#pragma once

#include <string>

#include "hosts/core/window_core.h"
#include "toolkit/host.h"
#include "toolkit/uniform_random.h"

namespace windowcore {

// What the hosts of the three windows do alike: the window shows the form as it stands
// whenever the game waits (a dialog, the timed wait), a monotonic clock for the timed wait, and
// one generator of random values seeded from the time of day at each start-up. Each front end's
// host derives from it and adds its own dialogs, its way of painting now, its sleep, sound,
// drag and end.
class WindowHost : public toolkit::Host {
 public:
  // Called by the game for its prompts and messages. What the game wrote before it asks is
  // painted first, so that the window behind the dialog, and what assistive technology reads of
  // it, is the form as it stands; then the front end's own dialog asks (askInput, askMessage).
  std::string inputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) final;
  toolkit::MessageAnswer messageBox(const std::string& text, const std::string& title,
                                    toolkit::MessageButtons buttons,
                                    toolkit::MessageAnswer defaultAnswer) final;
  // Called by the timed wait and the reset: paints what changed, now, without handling input.
  void repaint() final;

  // Called by the timed wait: seconds on the standard library's steady clock, which never jumps
  // when the wall clock is set.
  double clockSeconds() override;
  // Called once by each start-up: seeds the generator from the time of day in microseconds.
  void randomize() override;
  // Called for every random draw; dice and other draws come from the one generator alike.
  double random(toolkit::RandomUse use) override;

 protected:
  // Called by the front end once its window exists, and with null before the window goes: the
  // core of the window the game is shown in. Until then waits paint nothing, since the
  // start-up asks its questions before the window first shows.
  void paintIn(WindowCore* core) { core_ = core; }

  // The front end's dialogs, asked once the window shows the form; as toolkit::Host's
  // inputBox and messageBox.
  virtual std::string askInput(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;
  virtual toolkit::MessageAnswer askMessage(const std::string& text, const std::string& title,
                                            toolkit::MessageButtons buttons,
                                            toolkit::MessageAnswer defaultAnswer) = 0;
  // Called after the core has asked for a paint when the form changed: the platform draws
  // what its window was asked to draw, now, and handles no input meanwhile.
  virtual void paintNow() = 0;

 private:
  WindowCore* core_ = nullptr;        // owned by the front end's window; set by paintIn
  toolkit::UniformRandom generator_;  // owned here; seeded by randomize
};

}  // namespace windowcore
