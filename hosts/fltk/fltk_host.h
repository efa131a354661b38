#pragma once

#include "hosts/core/window_host.h"
#include "hosts/fltk/sound_player.h"

namespace fltkhost {

class DialogWatcher;
class Fonts;
class GameWindow;

// The game's door to the Linux desktop: FLTK dialogs, drawing and window moves, and the ALSA
// roll sound. Owned by main, with the game and window.
class FltkHost : public windowcore::WindowHost {
 public:
  // The dialogs are drawn `scale` times their 96-dpi size, as the window is.
  FltkHost(const Fonts& fonts, double scale) : fonts_(fonts), scale_(scale) {}

  // Called by main once the window exists (the game is built before it, with this host).
  // `watcher`, when given, is told of every dialog as it opens, changes and closes.
  void attach(GameWindow& window, DialogWatcher* watcher = nullptr);

  void sleepUpTo(double seconds) override;
  void playRollSound() override;
  void dragWindow() override;
  [[noreturn]] void endProgram() override;

 protected:
  std::string askInput(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  toolkit::MessageAnswer askMessage(const std::string& text, const std::string& title,
                                    toolkit::MessageButtons buttons,
                                    toolkit::MessageAnswer defaultAnswer) override;
  void paintNow() override;

 private:
  const Fonts& fonts_;
  double scale_;
  GameWindow* window_ = nullptr;
  DialogWatcher* watcher_ = nullptr;
  SoundPlayer sound_;
};

}  // namespace fltkhost
