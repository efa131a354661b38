#include "hosts/web/replay.h"

#include <cmath>

#include "hosts/web/real_text.h"

namespace webhost {

namespace {

using script::Command;

// Fills in the control a line the page writes names; false for any other line.
bool replayable(ReplayStep& step) {
  switch (step.command) {
    case Command::Answer:
    case Command::Cancel:
    case Command::Reply:
    case Command::Faces:
    case Command::Random:
    case Command::Start:
      return true;
    case Command::Click:
    case Command::RightClick:
    case Command::Key:
    case Command::KeyUp:
    case Command::Release:
    case Command::Focus:
      step.control = step.text;
      return true;
    case Command::Set: {
      // Only the dice's places, which a new game leaves where a fresh window has others.
      const std::size_t dot = step.text.find('.');
      const std::string property = dot == std::string::npos ? "" : step.text.substr(dot + 1);
      step.control = step.text.substr(0, dot);
      return (property == "Left" || property == "Top") &&
             step.value.kind == script::JsonValue::Kind::Number && std::isfinite(step.value.number);
    }
    default:
      return false;
  }
}

}  // namespace

std::string keyWord(std::int16_t key) {
  return key == toolkit::kKeySpace ? std::string("space") : std::string(1, static_cast<char>(key));
}

std::string ReplayStep::written() const {
  std::string line(script::commandWord(command));
  if (command == Command::Start) return line;
  line += " " + text;
  if (command == Command::Key || command == Command::KeyUp) line += " " + keyWord(key);
  if (command == Command::Set) line += " " + realText(value.number);
  return line;
}

std::string replayProblem(const toolkit::Form& form, const ReplayStep& step,
                          toolkit::Control*& control) {
  control = step.control.empty() ? nullptr : form.find(step.control);
  const std::string where = "line " + wholeText(step.number) + ": " + step.control;
  if (step.command == Command::Start || (step.command == Command::Focus && step.control.empty())) {
    return {};
  }
  if (control == nullptr) return where + " is no control";
  if ((step.command == Command::Click || step.command == Command::RightClick) &&
      !control->shownOnScreen()) {
    return where + " is not shown";
  }
  if (step.command == Command::Key && (!control->canTakeFocus() || !control->shownOnScreen())) {
    return where + " cannot take the keyboard focus";
  }
  if (step.command == Command::KeyUp && form.focused() != control) {
    return where + " has not the focus";
  }
  if (step.command == Command::Focus && !control->canTakeFocus()) return where + " takes no focus";
  return {};
}

bool ReplayStep::acts() const {
  return actsOnWindow() || command == Command::Start;
}

ReplayScript parseReplay(std::string_view text) {
  ReplayScript script;
  int number = 0;
  bool started = false;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = script::lineBody(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    ++number;
    if (line.empty()) continue;
    ReplayStep step;
    static_cast<script::ScriptLine&>(step) = script::readLine(line);
    step.number = number;
    std::string problem = script::lineProblem(step, started);
    if (problem.empty() && !replayable(step)) problem = "not a line of a saved game";
    if (!problem.empty()) {
      script.steps.clear();
      script.error = "line " + wholeText(number) + ": " + problem;
      return script;
    }
    started = started || step.command == Command::Start;
    script.steps.push_back(std::move(step));
  }
  if (!started) {
    script.steps.clear();
    script.error = "no start";
  }
  return script;
}

}  // namespace webhost
