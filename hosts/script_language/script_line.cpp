#include "hosts/script_language/script_line.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "hosts/script_language/real_chars.h"
#include "toolkit/control.h"

namespace script {

namespace {

// In the order of Command.
constexpr std::array<std::string_view, 24> kWords{
    "",           "answer", "cancel", "reply",       "faces",    "random",    "seed",   "language",
    "start",      "dump",   "layout", "fingerprint", "ondialog", "print",     "expect", "click",
    "rightclick", "key",    "keyup",  "release",     "focus",    "mousemove", "call",   "set"};

// An action with no control's name: the window has no such control.
constexpr const char* kNoControl = "no control named ''";

bool blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (blank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Splits "word rest" at the first blank.
std::pair<std::string_view, std::string_view> firstWord(std::string_view s) {
  const std::size_t space = s.find_first_of(" \t");
  if (space == std::string_view::npos) return {s, {}};
  return {s.substr(0, space), trim(s.substr(space + 1))};
}

// The faces (whole, 1 to 6) or the draws ([0, 1)) of a list, word by word to the first wrong one.
std::string readList(std::string_view list, bool faces, std::vector<double>& out) {
  if (list.empty())
    return faces ? "faces needs at least one face" : "random needs at least one value";
  while (!list.empty()) {
    const auto [word, more] = firstWord(list);
    long long face = 0;
    double v = 0;
    std::string why = faces ? readWhole(word, "a face", face) : readReal(word, "a random value", v);
    if (faces) v = static_cast<double>(face);
    if (why.empty() && faces && (v < 1 || v > 6)) why = "a face is 1 to 6";
    if (why.empty() && !faces && (v < 0 || v >= 1)) why = "a random value lies in [0, 1)";
    if (!why.empty()) return why;
    out.push_back(v);
    list = more;
  }
  return {};
}

bool keyCode(std::string_view word, std::int16_t& key) {
  if (word == "space") {
    key = toolkit::kKeySpace;
    return true;
  }
  if (word.size() != 1 || word[0] <= ' ' || word[0] >= 0x7F) return false;
  key = static_cast<std::int16_t>(std::toupper(static_cast<unsigned char>(word[0])));
  return true;
}

// All the values that follow a target, each a JSON value, separated by blanks: one is the
// value, several are one array.
std::string readValues(std::string_view s, const std::string& command, JsonValue& value) {
  std::vector<JsonValue> given;
  std::size_t pos = 0;
  while (true) {
    while (pos < s.size() && blank(s[pos])) ++pos;
    if (pos >= s.size()) break;
    given.emplace_back();
    std::string why = parseValue(s, pos, given.back());
    if (why.empty() && pos < s.size() && !blank(s[pos])) why = "unexpected text after a value";
    if (!why.empty()) return "malformed value: " + why;
  }
  if (given.empty()) return command + " needs a value";
  value = given.size() == 1 ? std::move(given[0]) : JsonValue::ofArray(std::move(given));
  return {};
}

}  // namespace

std::string readWhole(std::string_view word, const char* what, long long& value) {
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) {
    return std::string(what) + " must be a whole number, not '" + std::string(word) + "'";
  }
  return {};
}

std::string readReal(std::string_view word, const char* what, double& value) {
  auto [end, ec] = parseReal(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
    return std::string(what) + " must be a number, not '" + std::string(word) + "'";
  }
  return {};
}

std::string_view replyWord(toolkit::MessageAnswer answer) {
  switch (answer) {
    case toolkit::MessageAnswer::Yes:
      return "yes";
    case toolkit::MessageAnswer::No:
      return "no";
    case toolkit::MessageAnswer::Ok:
      return "ok";
  }
  return "ok";
}

std::string_view commandWord(Command command) {
  return kWords[static_cast<std::size_t>(command)];
}

bool ScriptLine::actsOnWindow() const {
  return command >= Command::Click;
}

std::string_view lineBody(std::string_view raw) {
  if (trim(raw).empty() || trim(raw).front() == '#') return {};
  while (blank(raw.front())) raw.remove_prefix(1);
  // Blanks at the end belong to an answer, so only the line end goes.
  if (raw.back() == '\r') raw.remove_suffix(1);
  return raw;
}

std::string lineProblem(const ScriptLine& line, bool started) {
  if (!started && line.actsOnWindow()) {
    // Before it there are no players, and a turn change, for one, would walk past every card.
    return "'" + std::string(commandWord(line.command)) +
           "' acts on the window, which 'start' creates";
  }
  if (!line.error.empty()) return line.error;
  if (started && line.command == Command::Start) return "the window has started already";
  // The layout's texts are written in the language before the start-up names the players.
  if (started && line.command == Command::Language) return "'language' comes before 'start'";
  return {};
}

ScriptLine readLine(std::string_view line) {
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  const auto [word, rest] = firstWord(trim(line));
  ScriptLine out;
  for (std::size_t i = 1; i < kWords.size(); ++i) {
    if (word == kWords[i]) out.command = static_cast<Command>(i);
  }
  std::string& error = out.error;
  switch (out.command) {
    case Command::Unknown:
      error = "unknown command '" + std::string(word) + "'";
      break;
    case Command::Answer:
      // The answer is the rest of the line exactly as written, blanks included.
      out.text = line.size() > 7 ? line.substr(7) : std::string_view();
      break;
    case Command::Reply:
      if (rest == "yes")
        out.reply = toolkit::MessageAnswer::Yes;
      else if (rest == "no")
        out.reply = toolkit::MessageAnswer::No;
      else if (rest != "ok")
        error = "reply takes yes, no or ok";
      break;
    case Command::Faces:
      error = readList(rest, true, out.numbers);
      break;
    case Command::Random:
      error = readList(rest, false, out.numbers);
      break;
    case Command::Seed:
      error = readWhole(rest, "the seed", out.whole);
      break;
    case Command::Language:
      out.text = rest;
      if (rest.empty() || rest.find_first_of(" \t") != std::string_view::npos) {
        error = "language takes one language's code, such as de or pt_BR";
      }
      break;
    case Command::Key:
    case Command::KeyUp: {
      const auto [name, key] = firstWord(rest);
      out.text = name;
      if (name.empty())
        error = kNoControl;
      else if (!keyCode(key, out.key))
        error = "key takes 'space' or one character";
      break;
    }
    case Command::MouseMove:
      error = readWhole(rest, "the button state", out.whole);
      if (error.empty() && (out.whole < 0 || out.whole > 7)) error = "the button state is 0 to 7";
      break;
    case Command::Call: {
      const auto [name, argument] = firstWord(rest);
      out.text = name;
      out.argument = argument;
      break;
    }
    case Command::Set:
    case Command::Expect: {
      const auto [target, values] = firstWord(rest);
      out.text = target;
      error = readValues(values, std::string(word), out.value);
      break;
    }
    case Command::Click:
    case Command::RightClick:
    case Command::Release:
      out.text = rest;
      if (rest.empty()) error = kNoControl;
      break;
    case Command::OnDialog: {
      // Only lines that show something may run while the game waits for its answer.
      const Command shown = readLine(rest).command;
      out.text = rest;
      if (shown != Command::Print && shown != Command::Dump && shown != Command::Layout &&
          shown != Command::Fingerprint) {
        error = "ondialog takes a print, dump, layout or fingerprint line";
      }
      break;
    }
    case Command::Focus:  // alone, it takes the focus away
    case Command::Print:
      out.text = rest;
      break;
    default:
      // cancel, start, dump, layout and fingerprint read nothing after the command.
      break;
  }
  return out;
}

}  // namespace script
