#pragma once

#include "toolkit/host.h"
#include "toolkit/uniform_random.h"

namespace windowcore {

// What the hosts of the three windows do alike: a monotonic clock for the timed wait, and one
// generator of random values seeded from the time of day at each start-up. Each front end's
// host derives from it and adds its dialogs, repaint, sleep, sound, drag and end.
class WindowHost : public toolkit::Host {
 public:
  // Called by the timed wait: seconds on the standard library's steady clock, which never jumps
  // when the wall clock is set.
  double clockSeconds() override;
  // Called once by each start-up: seeds the generator from the time of day in microseconds.
  void randomize() override;
  // Called for every random draw; dice and other draws come from the one generator alike.
  double random(toolkit::RandomUse use) override;

 private:
  toolkit::UniformRandom generator_;  // owned here; seeded by randomize
};

}  // namespace windowcore
