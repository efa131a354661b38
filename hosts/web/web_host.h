#pragma once

#include "hosts/core/window_host.h"

namespace webhost {

class GamePage;

// The game's door to the browser page: dialogs as page elements that suspend the game until
// answered, the page's timers, Web Audio for the roll, and the drag of the game's
// window within the page. Owned by main, with the game and the page.
class WebHost : public windowcore::WindowHost {
 public:
  // Called by main once the page view exists (the game is built before it, with this host).
  void attach(GamePage& page) { page_ = &page; }

  std::string inputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  toolkit::MessageAnswer messageBox(const std::string& text, const std::string& title,
                                    toolkit::MessageButtons buttons,
                                    toolkit::MessageAnswer defaultAnswer) override;
  void repaint() override;
  void sleepUpTo(double seconds) override;
  void playRollSound() override;
  void dragWindow() override;
  [[noreturn]] void endProgram() override;

 private:
  GamePage* page_ = nullptr;  // owned by main; set by attach
};

}  // namespace webhost
