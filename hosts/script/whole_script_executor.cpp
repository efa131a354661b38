#include "hosts/script/whole_script_executor.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <map>

#include "hosts/core/window_core.h"
#include "hosts/script/script_values.h"
#include "hosts/script_language/script_line.h"
#include "i18n/catalogues.h"
#include "ui/card.h"

namespace script {

using values::realNumber;
using values::splitIndex;
using values::wholeNumber;

namespace {

std::string languageList() {
  std::string list;
  for (const std::string_view code : i18n::availableLanguages()) {
    list += (list.empty() ? "" : ", ") + std::string(code);
  }
  return list;
}

}  // namespace

void WholeScriptExecutor::dialogAsked() {
  for (const std::string& line : onDialog_) execute(line);
}

void WholeScriptExecutor::runOther(const ScriptLine& line) {
  const std::string& name = line.text;
  frmQuintoz& g = game_;
  switch (line.command) {
    case Command::Language:
      // The driver plays in English unless a script asks for a language it has.
      if (name != "en" && i18n::catalogueFor(name).size() == 0) {
        refuse("no language '" + name + "'; there are en and " + languageList());
      }
      g.useLanguage(i18n::catalogueFor(name));
      break;
    case Command::Call:
      callProcedure(line);
      break;
    case Command::Print:
      side_.print(name + " = " + render(read(name)));
      break;
    case Command::Expect:
      if (const JsonValue actual = read(name); !sameValue(actual, line.value)) {
        side_.refuse(Refusal::ExpectFailed, "expected " + name + " = " + render(line.value) +
                                                ", but it is " + render(actual));
      }
      break;
    case Command::Dump:
      side_.print(dump());
      break;
    case Command::Layout:
      side_.print(layout());
      break;
    case Command::OnDialog:
      // A target that does not exist is an error here, not at the dialog.
      if (const ScriptLine shown = readLine(line.text); shown.command == Command::Print) {
        read(shown.text);
      }
      onDialog_.push_back(line.text);
      break;
    case Command::Fingerprint:
      side_.print("fingerprint " +
                  windowcore::fingerprintText(windowcore::formFingerprint(g.form)));
      break;
    default:
      ScriptExecutor::runOther(line);
      break;
  }
}

namespace {

std::vector<std::string> controlProperties(const toolkit::Control& c) {
  std::vector<std::string> props{"Left",        "Top", "Width",   "Height",   "Visible", "Caption",
                                 "ToolTipText", "Tag", "Picture", "TabIndex", "ZOrder"};
  if (c.kind() == toolkit::ControlKind::CheckBox) props.insert(props.begin(), "Value");
  if (c.kind() == toolkit::ControlKind::TextBox) props.insert(props.begin(), "Text");
  return props;
}

JsonValue readProperty(ScriptSide& side, const toolkit::Control& c, std::string_view prop) {
  if (prop == "Left") return JsonValue::of(c.Left);
  if (prop == "Top") return JsonValue::of(c.Top);
  if (prop == "Width") return JsonValue::of(c.Width);
  if (prop == "Height") return JsonValue::of(c.Height);
  if (prop == "Visible") return JsonValue::ofBool(c.Visible);
  if (prop == "Caption") return JsonValue::of(c.Caption);
  if (prop == "ToolTipText") return JsonValue::of(c.ToolTipText);
  if (prop == "Tag") return JsonValue::of(c.Tag);
  if (prop == "Picture") return JsonValue::of(c.Picture.name);
  if (prop == "TabIndex") return JsonValue::of(c.TabIndex);
  if (prop == "ZOrder") return JsonValue::of(c.zOrder());
  // Read on request only (a build step takes the page's colours from it); the dump leaves it
  // out, so that transcripts stay as they are.
  if (prop == "BackColor") {
    std::array<char, 8> hex{};
    std::snprintf(hex.data(), hex.size(), "#%02x%02x%02x", c.BackColor.r, c.BackColor.g,
                  c.BackColor.b);
    return JsonValue::of(std::string(hex.data()));
  }
  // The control's kind says its class (the page is built without run-time type information).
  if (c.kind() == toolkit::ControlKind::CheckBox && prop == "Value") {
    return JsonValue::of(static_cast<const toolkit::CheckBox&>(c).value());
  }
  if (c.kind() == toolkit::ControlKind::TextBox && prop == "Text") {
    return JsonValue::of(static_cast<const toolkit::TextBox&>(c).Text);
  }
  side.refuse(Refusal::LineError, c.path() + " has no property '" + std::string(prop) + "'");
}

JsonValue numbers(const std::int16_t* first, std::size_t count) {
  std::vector<JsonValue> items;
  for (std::size_t i = 0; i < count; ++i) items.push_back(JsonValue::of(first[i]));
  return JsonValue::ofArray(std::move(items));
}

}  // namespace

JsonValue WholeScriptExecutor::read(std::string_view target) const {
  const std::size_t dot = target.find('.');
  if (dot == std::string_view::npos) {
    const auto [name, index] = splitIndex(side_, target);
    auto element = [&, index = index](int low, int high) {
      if (index < low || index > high) {
        refuse(std::string(target) + " has no such element");
      }
      return static_cast<std::size_t>(index);
    };
    if (name == "rollCount" && index < 0) return JsonValue::of(game_.rollCount);
    if (name == "currentPlayer" && index < 0) return JsonValue::of(game_.currentPlayer);
    if (name == "playerCount" && index < 0) return JsonValue::of(game_.playerCount);
    if (name == "newGamePending" && index < 0) return JsonValue::ofBool(game_.newGamePending);
    if (name == "focus" && index < 0) {
      const toolkit::Control* f = game_.form.focused();
      return JsonValue::of(f == nullptr ? std::string() : f->path());
    }
    if (name == "clock" && index < 0) return JsonValue::of(side_.clock());
    if (name == "diceValues") {
      if (index < 0) return numbers(&game_.diceValues[1], 5);
      return JsonValue::of(game_.diceValues[element(1, 5)]);
    }
    if (name == "playerNames") {
      if (index >= 0) return JsonValue::of(game_.playerNames[element(1, 4)]);
      std::vector<JsonValue> names;
      for (int i = 1; i <= 4; ++i) names.push_back(JsonValue::of(game_.playerNames[i]));
      return JsonValue::ofArray(std::move(names));
    }
    refuse("no variable named '" + std::string(target) + "'");
  }
  return readProperty(side_, control(target.substr(0, dot)), target.substr(dot + 1));
}

void WholeScriptExecutor::callProcedure(const ScriptLine& line) {
  const std::string_view name = line.text;
  const std::string_view argument = line.argument;
  frmQuintoz& g = game_;
  auto runHandler = [&](const std::function<void()>& handler) {
    side_.act(line, nullptr, [&] { g.form.runEvent(handler); });
  };
  auto index = [&](int low, int high) {
    const long long i = wholeNumber(side_, argument, "the argument");
    if (i < low || i > high) {
      refuse(std::string(name) + " takes a number from " + std::to_string(low) + " to " +
             std::to_string(high));
    }
    return static_cast<std::int16_t>(i);
  };
  auto none = [&] {
    if (!argument.empty()) refuse(std::string(name) + " takes no argument");
  };
  using Simple = void (frmQuintoz::*)();
  static const std::map<std::string_view, Simple> simple{
      {"Form_Load", &frmQuintoz::Form_Load},
      {"cmdRoll_Click", &frmQuintoz::cmdRoll_Click},
      {"roll", &frmQuintoz::roll},
      {"SwitchPlayer", &frmQuintoz::SwitchPlayer},
      {"cmdNewGame_Click", &frmQuintoz::cmdNewGame_Click},
      {"resetAll", &frmQuintoz::resetAll},
      {"dieCheck", &frmQuintoz::dieCheck},
      {"SumScore", &frmQuintoz::SumScore},
      {"WiN", &frmQuintoz::WiN},
      {"sound", &frmQuintoz::sound},
      {"cmdExit_Click", &frmQuintoz::cmdExit_Click},
  };
  // A score box's click handler, by its box's name and "_Click".
  const CardRow* seat = nullptr;
  for (const CardRow& row : kCard) {
    if (row.box != nullptr && (g.*row.box)[0].name() + "_Click" == name) seat = &row;
  }
  if (auto it = simple.find(name); it != simple.end()) {
    none();
    runHandler([&] { (g.*(it->second))(); });
  } else if (seat != nullptr) {
    const std::int16_t i = index(0, 4);
    runHandler([&] { (g.*(seat->click))(i); });
  } else if (name == "rMove") {
    const std::int16_t i = index(1, 5);
    runHandler([&] { g.rMove(i); });
  } else if (name == "chkDie_MouseUp") {
    const std::int16_t i = index(1, 5);
    runHandler([&] { g.chkDie_MouseUp(i, toolkit::kLeftButton, 0, 0, 0); });
  } else if (name == "chkDie_KeyUp") {
    const std::int16_t i = index(1, 5);
    runHandler([&] { g.chkDie_KeyUp(i, toolkit::kKeySpace, 0); });
  } else if (name == "randomDie") {
    none();
    std::int16_t face = 0;
    runHandler([&] { face = g.randomDie(); });
    side_.print("randomDie = " + std::to_string(face));
  } else if (name == "delay") {
    const double seconds = realNumber(side_, argument, "the wait");
    if (seconds > 86400) refuse("a wait is at most a day");
    runHandler([&] { g.delay(seconds); });
  } else if (name == "Form_MouseMove") {
    const std::int16_t b = index(0, 7);
    runHandler([&] { g.Form_MouseMove(b, 0, 0, 0); });
  } else {
    refuse("no procedure named '" + std::string(name) + "'");
  }
}

std::string WholeScriptExecutor::dump() const {
  std::string out = "{\"rollCount\":" + std::to_string(game_.rollCount) +
                    ",\"diceValues\":" + render(read("diceValues")) +
                    ",\"currentPlayer\":" + std::to_string(game_.currentPlayer) +
                    ",\"playerCount\":" + std::to_string(game_.playerCount) +
                    ",\"playerNames\":" + render(read("playerNames")) +
                    ",\"focus\":" + render(read("focus")) + ",\"controls\":{";
  bool first = true;
  for (const toolkit::Control* c : game_.form.controls()) {
    out += (first ? "" : ",") + quote(c->path()) + ":{";
    first = false;
    bool firstProp = true;
    for (const std::string& prop : controlProperties(*c)) {
      out += (firstProp ? "\"" : ",\"") + prop + "\":" + render(readProperty(side_, *c, prop));
      firstProp = false;
    }
    out += "}";
  }
  return out + "}}";
}

std::string WholeScriptExecutor::layout() const {
  std::string out = "{";
  bool first = true;
  for (const toolkit::Control* c : game_.form.controls()) {
    const toolkit::PixelRect r = c->pixelRect();
    out += (first ? "" : ",") + quote(c->path()) + ":[" + std::to_string(r.x) + "," +
           std::to_string(r.y) + "," + std::to_string(r.w) + "," + std::to_string(r.h) + "]";
    first = false;
  }
  return out + "}";
}

}  // namespace script
