#include "hosts/script/script_host.h"

#include <cmath>

#include "hosts/script/script_executor.h"
#include "hosts/script_language/json.h"
#include "hosts/script_language/script_line.h"

namespace script {

std::string ScriptHost::inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) {
  if (asking) asking();
  echo_ << "inputbox {\"title\":" << quote(title) << ",\"prompt\":" << quote(prompt)
        << ",\"default\":" << quote(defaultText) << "} -> ";
  if (inputAnswers.empty()) {
    echo_ << "?\n";
    throw ScriptError(nothingQueued(true));
  }
  InputAnswer a = std::move(inputAnswers.front());
  inputAnswers.pop_front();
  echo_ << (a.cancelled ? std::string("cancel") : quote(a.text)) << "\n";
  return a.cancelled ? std::string() : a.text;
}

toolkit::MessageAnswer ScriptHost::messageBox(const std::string& text, const std::string& title,
                                              toolkit::MessageButtons buttons,
                                              toolkit::MessageAnswer /*defaultAnswer*/) {
  if (asking) asking();
  const bool yesNo = buttons == toolkit::MessageButtons::YesNo;
  echo_ << "msgbox {\"title\":" << quote(title) << ",\"text\":" << quote(text) << ",\"buttons\":\""
        << (yesNo ? "yesno" : "ok") << "\"} -> ";
  if (messageAnswers.empty()) {
    echo_ << "?\n";
    throw ScriptError(nothingQueued(false));
  }
  const toolkit::MessageAnswer a = messageAnswers.front();
  messageAnswers.pop_front();
  echo_ << replyWord(a) << "\n";
  if (std::string why = replyProblem(a, buttons); !why.empty()) throw ScriptError(why);
  return a;
}

void ScriptHost::sleepUpTo(double seconds) {
  // The whole remaining wait passes at once; a sliver left by rounding passes silently.
  // Shown to the microsecond: the clock's own rounding must not make transcripts differ.
  if (seconds >= 1e-9) {
    echo_ << "delay " << render(JsonValue::of(std::round(seconds * 1e6) / 1e6)) << "\n";
  }
  clock_ += seconds;
}

double ScriptHost::random(toolkit::RandomUse use) {
  if (use == toolkit::RandomUse::Face && !faces.empty()) {
    const std::int16_t f = faces.front();
    faces.pop_front();
    return (static_cast<double>(f) - 0.5) / 6.0;  // the middle of that face's sixth
  }
  if (!randoms.empty()) {
    const double r = randoms.front();
    randoms.pop_front();
    return r;
  }
  return generator_.next();
}

void ScriptHost::playRollSound() {
  echo_ << "sound\n";
}

void ScriptHost::dragWindow() {
  echo_ << "drag\n";
}

void ScriptHost::endProgram() {
  echo_ << "end\n";
  throw ProgramEnded{};
}

}  // namespace script
