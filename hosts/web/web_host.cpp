#include "hosts/web/web_host.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "hosts/script/script_executor.h"
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

void WebHost::attach(GamePage& page) {
  page_ = &page;
  paintIn(&page.core());
}

void WebHost::endReplay() {
  if (!replaying_) return;
  if (!answers_.empty() || !replies_.empty() || !faces_.empty() || !draws_.empty()) {
    failReplay("the save holds answers or draws that its game never used");
  }
  replaying_ = false;
  lastInput_ = false;
  replayLine_ = 0;
}

void WebHost::failReplay(const std::string& why) {
  // As quintoz-script reports a line it stops at.
  const std::string reason =
      replayLine_ > 0 ? "line " + std::to_string(replayLine_) + ": " + why : why;
  qz_replay_failed(reason.data(), bytes(reason));
  // qz_replay_failed never comes back: the page has put this game away.
  std::abort();
}

bool WebHost::answeredBySave(bool queueEmpty, bool inputBox) {
  if (!replaying_) return false;
  if (!queueEmpty) return true;
  if (!lastInput_) failReplay(script::nothingQueued(inputBox));
  // The dialog was open when the page went away: the board as it was, then the dialog again.
  endReplay();
  if (page_ != nullptr) page_->show();
  return false;
}

std::string WebHost::askInput(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) {
  if (answeredBySave(answers_.empty(), true)) {
    const Answer a = answers_.take();
    record_.answer(a.text, a.cancelled);
    return a.cancelled ? std::string() : a.text;
  }
  if (page_ != nullptr) page_->save();
  const int length = qz_input_box(prompt.data(), bytes(prompt), title.data(), bytes(title),
                                  defaultText.data(), bytes(defaultText));
  std::string answer(static_cast<std::size_t>(std::max(length, 0)), '\0');
  if (length > 0) qz_take_answer(answer.data());
  // The page answers Cancel with empty text, which the game takes as it takes an empty answer.
  record_.answer(answer, false);
  return answer;
}

toolkit::MessageAnswer WebHost::askMessage(const std::string& text, const std::string& title,
                                           toolkit::MessageButtons buttons,
                                           toolkit::MessageAnswer defaultAnswer) {
  const bool yesNo = buttons == toolkit::MessageButtons::YesNo;
  if (answeredBySave(replies_.empty(), false)) {
    const toolkit::MessageAnswer a = replies_.take();
    if (std::string why = script::replyProblem(a, buttons); !why.empty()) failReplay(why);
    record_.reply(a);
    return a;
  }
  if (page_ != nullptr) page_->save();
  const int answer =
      qz_message_box(text.data(), bytes(text), title.data(), bytes(title), yesNo ? 1 : 0,
                     yesNo && defaultAnswer == toolkit::MessageAnswer::No ? 1 : 0);
  toolkit::MessageAnswer a = toolkit::MessageAnswer::Ok;
  if (yesNo) a = answer == 2 ? toolkit::MessageAnswer::No : toolkit::MessageAnswer::Yes;
  record_.reply(a);
  return a;
}

void WebHost::paintNow() {
  // A replay draws nothing: the page shows the board once it has caught up.
  if (page_ != nullptr && !replaying_) page_->paintNow();
}

double WebHost::clockSeconds() {
  return replaying_ ? replayClock_ : WindowHost::clockSeconds();
}

void WebHost::sleepUpTo(double seconds) {
  if (replaying_) {
    replayClock_ += std::max(seconds, 0.0);
    return;
  }
  // The game waits with an input under way (a turn change): kept now, so that a page thrown
  // away meanwhile comes back with it.
  if (page_ != nullptr) page_->save();
  const double slice = std::clamp(seconds, 0.0, kSleepSlice);
  // Rounded up, so that a remainder below a millisecond does not spin.
  emscripten_sleep(static_cast<unsigned>(std::ceil(slice * 1000.0)));
}

void WebHost::randomize() {
  WindowHost::randomize();
  // A start-up begins: the game before it is over, and a new one is kept once it has started.
  record_.restart();
  if (!replaying_) qz_forget_game();
}

double WebHost::random(toolkit::RandomUse use) {
  double r = 0;
  if (replaying_ && use == toolkit::RandomUse::Face && !faces_.empty()) {
    // The middle of the face's sixth, as the script driver draws a face.
    r = (static_cast<double>(faces_.take()) - 0.5) / 6.0;
  } else if (replaying_ && !draws_.empty()) {
    r = draws_.take();
  } else {
    r = WindowHost::random(use);
  }
  if (use == toolkit::RandomUse::Face) {
    record_.face(static_cast<std::int16_t>(std::min(6, static_cast<int>(r * 6.0) + 1)));
  } else {
    record_.draw(r);
  }
  return r;
}

void WebHost::playRollSound() {
  if (!replaying_) qz_sound_play();
}

void WebHost::dragWindow() {
  qz_drag_window();
}

void WebHost::endProgram() {
  if (replaying_) failReplay("the save ends the game");
  // The game is over: nothing of it is kept.
  qz_forget_game();
  qz_end();
  // qz_end never comes back: the page has put the game away for good.
  std::abort();
}

}  // namespace webhost
