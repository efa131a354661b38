#include "hosts/web/replay.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "hosts/web/real_text.h"

namespace webhost {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::pair<std::string_view, std::string_view> firstWord(std::string_view s) {
  const std::size_t space = s.find_first_of(" \t");
  if (space == std::string_view::npos) return {s, {}};
  return {s.substr(0, space), trim(s.substr(space + 1))};
}

bool number(std::string_view word, double& value) {
  return realValue(word, value) && std::isfinite(value);
}

// The numbers after a command, each within [low, high); false when one is not.
bool numbers(std::string_view list, double low, double high, bool whole, std::vector<double>& out) {
  while (!list.empty()) {
    const auto [word, more] = firstWord(list);
    double v = 0;
    if (!number(word, v) || v < low || v >= high || (whole && v != static_cast<int>(v))) {
      return false;
    }
    out.push_back(v);
    list = more;
  }
  return !out.empty();
}

bool keyCode(std::string_view word, std::int16_t& key) {
  if (word == "space") {
    key = 32;
    return true;
  }
  if (word.size() != 1 || word[0] <= ' ' || word[0] >= 0x7F) return false;
  key = static_cast<std::int16_t>(std::toupper(static_cast<unsigned char>(word[0])));
  return true;
}

// Parses one line that is not blank or a comment; false when the page cannot replay it.
bool parseLine(std::string_view whole, ReplayStep& step) {
  using Kind = ReplayStep::Kind;
  const auto [command, rest] = firstWord(trim(whole));
  if (command == "answer") {
    step.kind = Kind::Answer;
    // As the driver reads it: the rest of the line verbatim, blanks included.
    step.text = std::string(whole.size() > 7 ? whole.substr(7) : std::string_view());
    return true;
  }
  if (command == "cancel" && rest.empty()) {
    step.kind = Kind::Answer;
    step.cancelled = true;
    return true;
  }
  if (command == "reply") {
    step.kind = Kind::Reply;
    if (rest == "yes")
      step.reply = toolkit::MessageAnswer::Yes;
    else if (rest == "no")
      step.reply = toolkit::MessageAnswer::No;
    else if (rest != "ok")
      return false;
    return true;
  }
  if (command == "faces") {
    step.kind = Kind::Faces;
    return numbers(rest, 1, 7, true, step.numbers);
  }
  if (command == "random") {
    step.kind = Kind::Random;
    return numbers(rest, 0, 1, false, step.numbers);
  }
  if (command == "start") {
    step.kind = Kind::Start;
    return rest.empty();
  }
  if (command == "focus") {
    step.kind = Kind::Focus;
    step.text = std::string(rest);
    return true;
  }
  if (command == "click" || command == "rightclick" || command == "release") {
    step.kind = command == "release" ? Kind::Release : Kind::Click;
    step.button = command == "rightclick" ? 2 : 1;
    step.text = std::string(rest);
    return !rest.empty();
  }
  if (command == "key" || command == "keyup") {
    step.kind = command == "key" ? Kind::Key : Kind::KeyUp;
    const auto [name, key] = firstWord(rest);
    step.text = std::string(name);
    return !name.empty() && keyCode(key, step.key);
  }
  if (command == "set") {
    step.kind = Kind::Set;
    const auto [target, value] = firstWord(rest);
    const std::size_t dot = target.rfind('.');
    if (dot == std::string_view::npos) return false;
    step.text = std::string(target.substr(0, dot));
    step.property = std::string(target.substr(dot + 1));
    double v = 0;
    if ((step.property != "Left" && step.property != "Top") || !number(value, v)) return false;
    step.numbers.push_back(v);
    return true;
  }
  return false;
}

}  // namespace

std::string keyWord(std::int16_t key) {
  return key == toolkit::kKeySpace ? std::string("space") : std::string(1, static_cast<char>(key));
}

std::string ReplayStep::written() const {
  switch (kind) {
    case Kind::Click:
      return (button == toolkit::kLeftButton ? "click " : "rightclick ") + text;
    case Kind::Key:
      return "key " + text + " " + keyWord(key);
    case Kind::KeyUp:
      return "keyup " + text + " " + keyWord(key);
    case Kind::Release:
      return "release " + text;
    case Kind::Focus:
      return "focus " + text;
    case Kind::Set:
      return "set " + text + "." + property + " " + realText(numbers[0]);
    default:
      return "start";
  }
}

std::string replayProblem(const toolkit::Form& form, const ReplayStep& step,
                          toolkit::Control*& control) {
  using Kind = ReplayStep::Kind;
  control = step.text.empty() ? nullptr : form.find(step.text);
  const std::string where = "line " + wholeText(step.line) + ": " + step.text;
  if (step.kind == Kind::Start || (step.kind == Kind::Focus && step.text.empty())) return {};
  if (control == nullptr) return where + " is no control";
  if (step.kind == Kind::Click && !control->shownOnScreen()) return where + " is not shown";
  if (step.kind == Kind::Key && (!control->canTakeFocus() || !control->shownOnScreen())) {
    return where + " cannot take the keyboard focus";
  }
  if (step.kind == Kind::KeyUp && form.focused() != control) return where + " has not the focus";
  if (step.kind == Kind::Focus && !control->canTakeFocus()) return where + " takes no focus";
  return {};
}

bool ReplayStep::acts() const {
  return kind != Kind::Answer && kind != Kind::Reply && kind != Kind::Faces && kind != Kind::Random;
}

ReplayScript parseReplay(std::string_view text) {
  ReplayScript script;
  int number = 0;
  bool started = false;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (trim(line).empty() || line.front() == '#') continue;
    ReplayStep step;
    step.line = number;
    auto fail = [&](const char* why) {
      script.steps.clear();
      script.error = "line " + wholeText(number) + ": " + why;
      return script;
    };
    if (!parseLine(line, step)) return fail("not a line of a saved game");
    if (step.kind == ReplayStep::Kind::Start) {
      if (started) return fail("a second start");
      started = true;
    } else if (step.acts() && !started) {
      return fail("an action before the start");
    }
    script.steps.push_back(std::move(step));
  }
  if (!started) {
    script.steps.clear();
    script.error = "no start";
  }
  return script;
}

}  // namespace webhost
