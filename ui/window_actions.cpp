// The roll sound, the timed wait, quitting and dragging the borderless window.
#include <algorithm>

#include "ui/frmQuintoz.h"

// Called by roll once per roll: the sound starts (cutting off an earlier one) and the roll
// pauses briefly while it rattles.
void frmQuintoz::sound() {
  host.playRollSound();
  delay(0.3);
}

// Called with 0.3 after the roll sound and 2.5 at a turn change. Keeps the window painted and
// handles no input until `wait` seconds have passed on the monotonic clock; input that arrives
// meanwhile waits in the platform's queue. Sleeps in short slices instead of spinning.
void frmQuintoz::delay(double wait) {
  if (!(wait > 0)) return;
  const double end = host.clockSeconds() + wait;
  for (double now = host.clockSeconds(); now < end; now = host.clockSeconds()) {
    host.repaint();
    host.sleepUpTo(end - now);
  }
}

// Raised by a click on the quit button.
void frmQuintoz::cmdExit_Click() {
  const auto answer = host.messageBox(tr("Quit Now?"), tr("Exit"), toolkit::MessageButtons::YesNo,
                                      toolkit::MessageAnswer::Yes);
  if (answer == toolkit::MessageAnswer::Yes) host.endProgram();
}

// Raised when the mouse moves over the bare window surface. Only the left button alone drags:
// the window has no title bar to be moved by.
void frmQuintoz::Form_MouseMove(std::int16_t button, std::int16_t /*shift*/, float /*x*/,
                                float /*y*/) {
  if (button == toolkit::kLeftButton) host.dragWindow();
}
