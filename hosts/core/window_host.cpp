#include "hosts/core/window_host.h"

#include <chrono>
#include <cstdint>

namespace windowcore {

std::string WindowHost::inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) {
  repaint();
  return askInput(prompt, title, defaultText);
}

toolkit::MessageAnswer WindowHost::messageBox(const std::string& text, const std::string& title,
                                              toolkit::MessageButtons buttons,
                                              toolkit::MessageAnswer defaultAnswer) {
  repaint();
  return askMessage(text, title, buttons, defaultAnswer);
}

void WindowHost::repaint() {
  if (core_ == nullptr) return;
  core_->refresh();
  paintNow();
}

double WindowHost::clockSeconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(since).count();
}

void WindowHost::randomize() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  generator_.seed(static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

double WindowHost::random(toolkit::RandomUse /*use*/) {
  return generator_.next();
}

}  // namespace windowcore
