#include "hosts/script/script_host.h"

#include <cmath>

#include "hosts/script_language/json.h"

namespace script {

namespace {

const char* answerWord(toolkit::MessageAnswer a) {
  switch (a) {
    case toolkit::MessageAnswer::Yes:
      return "yes";
    case toolkit::MessageAnswer::No:
      return "no";
    case toolkit::MessageAnswer::Ok:
      return "ok";
  }
  return "ok";
}

}  // namespace

std::string ScriptHost::inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) {
  if (asking) asking();
  echo_ << "inputbox {\"title\":" << quote(title) << ",\"prompt\":" << quote(prompt)
        << ",\"default\":" << quote(defaultText) << "} -> ";
  if (inputAnswers.empty()) {
    echo_ << "?\n";
    throw ScriptError("the game asked for an input box answer, but none is queued");
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
    throw ScriptError("the game showed a message box, but no reply is queued");
  }
  const toolkit::MessageAnswer a = messageAnswers.front();
  messageAnswers.pop_front();
  if (yesNo == (a == toolkit::MessageAnswer::Ok)) {
    echo_ << answerWord(a) << "\n";
    throw ScriptError(std::string("the queued reply '") + answerWord(a) +
                      "' is not a button of this message box");
  }
  echo_ << answerWord(a) << "\n";
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
