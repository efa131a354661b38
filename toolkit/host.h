#pragma once

#include <string>

namespace toolkit {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// What a random draw is for. Real hosts treat both alike; the scripted host lets a script
// dictate dice faces separately from every other draw.
enum class RandomUse { Face, Other };

// The one door from the game to the platform. The game (game/, flow/, ui/) calls these and
// nothing else of the platform; each front end (Linux window, Windows window, scripted driver)
// implements them once.
class Host {
 public:
  virtual ~Host() = default;

  // Called by the start-up for the player count and names. Shows a modal box with OK and
  // Cancel; handles no other input meanwhile. Returns the typed text, or empty text for Cancel
  // or a closed box. Carriage returns in the prompt are line breaks.
  virtual std::string inputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;

  // Called for the winner, "Play Again?", "Start New Game?" and "Quit Now?". Modal, no icon.
  // With YesNo, defaultAnswer names the button that Enter presses.
  virtual MessageAnswer messageBox(const std::string& text, const std::string& title,
                                   MessageButtons buttons, MessageAnswer defaultAnswer) = 0;

  // Called by the timed wait and the reset: draws all pending changes of the window now,
  // without handling any input.
  virtual void repaint() = 0;

  // Called by the timed wait: seconds on a monotonic clock (never jumps at midnight or when
  // the wall clock is set).
  virtual double clockSeconds() = 0;

  // Called by the timed wait between repaints: blocks for at most `seconds` (a real host
  // sleeps a short slice so that the window keeps being repainted), handling no input.
  virtual void sleepUpTo(double seconds) = 0;

  // Called once by each start-up: seeds the generator from the time of day.
  virtual void randomize() = 0;

  // Called for every random draw: a uniform value in [0, 1).
  virtual double random(RandomUse use) = 0;

  // Called by each roll: starts the roll sound without waiting for it, cutting off an earlier
  // one. Silence when the platform has no sound.
  virtual void playRollSound() = 0;

  // Called when the left button alone moves over the bare window surface: the window follows
  // the mouse until the button is released.
  virtual void dragWindow() = 0;

  // Called by quitting and by declining a new game: closes the window and ends the process.
  // Never returns to the game.
  [[noreturn]] virtual void endProgram() = 0;
};

}  // namespace toolkit
