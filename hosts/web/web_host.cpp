#include "hosts/web/web_host.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "hosts/web/game_page.h"
#include "hosts/web/page_bridge.h"

namespace webhost {

namespace {

int bytes(const std::string& s) {
  return static_cast<int>(s.size());
}

// The longest the timed wait sleeps between two repaints. The page handles its own events
// (queueing the game's) between slices, so it stays responsive while the game waits.
constexpr double kSleepSlice = 0.03;

}  // namespace

std::string WebHost::inputBox(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) {
  const int length = qz_input_box(prompt.data(), bytes(prompt), title.data(), bytes(title),
                                  defaultText.data(), bytes(defaultText));
  std::string answer(static_cast<std::size_t>(std::max(length, 0)), '\0');
  if (length > 0) qz_take_answer(answer.data());
  return answer;
}

toolkit::MessageAnswer WebHost::messageBox(const std::string& text, const std::string& title,
                                           toolkit::MessageButtons buttons,
                                           toolkit::MessageAnswer defaultAnswer) {
  const bool yesNo = buttons == toolkit::MessageButtons::YesNo;
  const int answer =
      qz_message_box(text.data(), bytes(text), title.data(), bytes(title), yesNo ? 1 : 0,
                     yesNo && defaultAnswer == toolkit::MessageAnswer::No ? 1 : 0);
  if (!yesNo) return toolkit::MessageAnswer::Ok;
  return answer == 2 ? toolkit::MessageAnswer::No : toolkit::MessageAnswer::Yes;
}

void WebHost::repaint() {
  if (page_ != nullptr) page_->refresh();
}

void WebHost::sleepUpTo(double seconds) {
  const double slice = std::clamp(seconds, 0.0, kSleepSlice);
  // Rounded up, so that a remainder below a millisecond does not spin.
  emscripten_sleep(static_cast<unsigned>(std::ceil(slice * 1000.0)));
}

void WebHost::playRollSound() {
  qz_sound_play();
}

void WebHost::dragWindow() {
  qz_drag_window();
}

void WebHost::endProgram() {
  qz_end();
  // qz_end never comes back: the page has put the game away for good.
  std::abort();
}

}  // namespace webhost
