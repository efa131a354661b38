#include "hosts/web/replay.h"

#include <cmath>

#include "hosts/web/real_text.h"

namespace webhost {

namespace {

using script::Command;

// True for the lines the page writes.
bool replayable(const ReplayStep& step) {
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
      return true;
    case Command::Set: {
      // Only the dice's places, which a new game leaves where a fresh window has others.
      const std::size_t dot = step.text.find('.');
      const std::string property = dot == std::string::npos ? "" : step.text.substr(dot + 1);
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

std::string writtenLine(const script::ScriptLine& line) {
  std::string written(script::commandWord(line.command));
  if (line.command == Command::Start) return written;
  written += " " + line.text;
  if (line.command == Command::Key || line.command == Command::KeyUp) {
    written += " " + keyWord(line.key);
  }
  if (line.command == Command::Set) written += " " + realText(line.value.number);
  return written;
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
