#include "hosts/fltk/fltk_host.h"

#include <FL/Fl.H>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "hosts/atk/dialog_watcher.h"
#include "hosts/fltk/dialogs.h"
#include "hosts/fltk/game_window.h"

#include "assets/embedded_assets.h"

namespace fltkhost {

void FltkHost::attach(GameWindow& window, DialogWatcher* watcher) {
  window_ = &window;
  watcher_ = watcher;
  paintIn(&window.core());
}

std::string FltkHost::askInput(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) {
  return runInputBox(fonts_, {window_, scale_, watcher_}, prompt, title, defaultText);
}

toolkit::MessageAnswer FltkHost::askMessage(const std::string& text, const std::string& title,
                                            toolkit::MessageButtons buttons,
                                            toolkit::MessageAnswer defaultAnswer) {
  return runMessageBox(fonts_, {window_, scale_, watcher_}, text, title, buttons, defaultAnswer);
}

void FltkHost::paintNow() {
  // Draws only: reading events here would run the user's clicks in the middle of the game's
  // wait instead of after it. A window not shown yet draws nothing.
  Fl::flush();
  if (watcher_ != nullptr) watcher_->waiting();
}

void FltkHost::sleepUpTo(double seconds) {
  const double slice = std::min(seconds, 0.01);
  if (slice > 0) std::this_thread::sleep_for(std::chrono::duration<double>(slice));
}

void FltkHost::playRollSound() {
  sound_.play(assets::bytes(assets::AssetId::RollSound));
}

void FltkHost::dragWindow() {
  if (window_ != nullptr) window_->startDrag();
}

void FltkHost::endProgram() {
  sound_.stop();
  if (window_ != nullptr) window_->hide();
  std::exit(0);
}

}  // namespace fltkhost
