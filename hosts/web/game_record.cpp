#include "hosts/web/game_record.h"

#include "hosts/web/real_text.h"

namespace webhost {

void GameRecord::restart() {
  lines_.clear();
  answers_.clear();
  faces_.clear();
  draws_.clear();
  input_ = "start";
  inputFocus_.clear();
  // A fresh window has no focus.
  focus_.clear();
  restarted_ = true;
  started_ = false;
  writable_ = true;
}

void GameRecord::answer(const std::string& text, bool cancelled) {
  // An answer is the rest of its line, so it cannot hold a line break.
  if (text.find_first_of("\r\n") != std::string::npos) writable_ = false;
  answers_ += cancelled ? std::string("cancel\n") : "answer " + text + "\n";
}

void GameRecord::reply(toolkit::MessageAnswer answer) {
  switch (answer) {
    case toolkit::MessageAnswer::Yes:
      answers_ += "reply yes\n";
      break;
    case toolkit::MessageAnswer::No:
      answers_ += "reply no\n";
      break;
    case toolkit::MessageAnswer::Ok:
      answers_ += "reply ok\n";
      break;
  }
}

void GameRecord::face(std::int16_t face) {
  faces_.push_back(face);
}

void GameRecord::draw(double value) {
  draws_.push_back(value);
}

void GameRecord::begin(std::string line, std::string focusAfter) {
  input_ = std::move(line);
  inputFocus_ = std::move(focusAfter);
  restarted_ = false;
}

std::string GameRecord::queued() const {
  std::string out = answers_;
  if (!faces_.empty()) {
    out += "faces";
    for (const std::int16_t f : faces_) {
      out += ' ';
      out += static_cast<char>('0' + f);  // a face is one digit
    }
    out += "\n";
  }
  if (!draws_.empty()) {
    out += "random";
    // Shortest exact: the replay draws the very same value.
    for (const double d : draws_) out += " " + realText(d);
    out += "\n";
  }
  return out;
}

bool GameRecord::end(const std::string& focus) {
  if (input_.empty()) return false;
  lines_ += queued() + input_ + "\n";
  if (!inputFocus_.empty()) focus_ = inputFocus_;
  const bool began = restarted_;
  if (began) started_ = true;
  answers_.clear();
  faces_.clear();
  draws_.clear();
  input_.clear();
  inputFocus_.clear();
  restarted_ = false;
  if (focus != focus_) append("focus " + focus);
  focus_ = focus;
  return began;
}

void GameRecord::append(const std::string& line) {
  lines_ += line + "\n";
}

std::string GameRecord::text(const std::string& focus) const {
  if (!input_.empty()) return lines_ + queued() + input_ + "\n";
  if (focus != focus_) return lines_ + "focus " + focus + "\n";
  return lines_;
}

}  // namespace webhost
