#pragma once

#include <functional>
#include <string>

namespace fltkhost {

// Whether assistive technology is on, as the desktop's accessibility bus tells it
// (org.a11y.Status: IsEnabled, or ScreenReaderEnabled), the way other toolkits decide whether
// to load their screen-reader bridge. Asked on a thread of its own, since any D-Bus call may
// wait long, and watched there until it turns on, for a screen reader started after the game.
// Without a session bus, nothing is asked and nothing is loaded, D-Bus's library included.
// Owned by the accessibility bridge.
class AssistiveStatus {
 public:
  // Called by the bridge once the first dialog is up. `on` runs later on FLTK's loop, at most
  // once, with the accessibility bus's address, when the status is on and that bus answers.
  explicit AssistiveStatus(std::function<void(const std::string& address)> on);
  ~AssistiveStatus();
  AssistiveStatus(const AssistiveStatus&) = delete;
  AssistiveStatus& operator=(const AssistiveStatus&) = delete;

 private:
  static void received(int fd, void* self);
  std::function<void(const std::string&)> on_;
  int fd_ = -1;          // this end of the socket the thread writes the address to
  std::string pending_;  // what has come of the address so far
};

}  // namespace fltkhost
