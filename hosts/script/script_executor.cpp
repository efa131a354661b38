#include "hosts/script/script_executor.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <map>

#include "hosts/core/window_core.h"
#include "hosts/script_language/script_line.h"
#include "i18n/catalogues.h"
#include "ui/card.h"
#include "ui/pictures.h"

namespace script {

namespace {

// The helpers below refuse a value through the side, which never returns.
long long wholeNumber(ScriptSide& side, std::string_view s, const char* what) {
  long long v = 0;
  if (std::string why = readWhole(s, what, v); !why.empty()) side.refuse(Refusal::LineError, why);
  return v;
}

double realNumber(ScriptSide& side, std::string_view s, const char* what) {
  double v = 0;
  if (std::string why = readReal(s, what, v); !why.empty()) side.refuse(Refusal::LineError, why);
  return v;
}

std::int16_t asInt16(ScriptSide& side, const JsonValue& v, const std::string& what) {
  if (v.kind != JsonValue::Kind::Number || v.number != std::floor(v.number) || v.number < -32768 ||
      v.number > 32767) {
    side.refuse(Refusal::LineError,
                what + " takes a whole number from -32768 to 32767, not " + render(v));
  }
  return static_cast<std::int16_t>(v.number);
}

std::string asText(ScriptSide& side, const JsonValue& v, const std::string& what) {
  if (v.kind != JsonValue::Kind::String)
    side.refuse(Refusal::LineError, what + " takes a text in quotes");
  return v.text;
}

// "name(3)" to name and 3; "name" to name and -1.
std::pair<std::string, int> splitIndex(ScriptSide& side, std::string_view s) {
  const std::size_t open = s.find('(');
  if (open == std::string_view::npos || s.back() != ')') return {std::string(s), -1};
  const std::string_view digits = s.substr(open + 1, s.size() - open - 2);
  return {std::string(s.substr(0, open)), static_cast<int>(wholeNumber(side, digits, "an index"))};
}

std::string languageList() {
  std::string list;
  for (const std::string_view code : i18n::availableLanguages()) {
    list += (list.empty() ? "" : ", ") + std::string(code);
  }
  return list;
}

}  // namespace

std::string nothingQueued(bool inputBox) {
  return inputBox ? "the game asked for an input box answer, but none is queued"
                  : "the game showed a message box, but no reply is queued";
}

std::string replyProblem(toolkit::MessageAnswer reply, toolkit::MessageButtons buttons) {
  if ((buttons == toolkit::MessageButtons::YesNo) != (reply == toolkit::MessageAnswer::Ok)) {
    return {};
  }
  return "the queued reply '" + std::string(replyWord(reply)) +
         "' is not a button of this message box";
}

void ScriptExecutor::dialogAsked() {
  for (const std::string& line : onDialog_) execute(line);
}

void ScriptExecutor::run(const ScriptLine& line) {
  if (std::string problem = lineProblem(line, started_); !problem.empty()) refuse(problem);
  const std::string& name = line.text;
  frmQuintoz& g = game_;
  // Each input runs as the window runs the game's events; a handler of its own runs inside
  // runEvent, as the window's toolkit runs it.
  auto handler = [&](const toolkit::Control* c, const std::function<void()>& body) {
    act(line, c, [&] { g.form.runEvent(body); });
  };
  switch (line.command) {
    case Command::Answer:
      side_.queueAnswer(false, name);
      break;
    case Command::Cancel:
      side_.queueAnswer(true, {});
      break;
    case Command::Reply:
      side_.queueReply(line.reply);
      break;
    case Command::Faces:
      for (const double f : line.numbers) side_.queueFace(static_cast<std::int16_t>(f));
      break;
    case Command::Random:
      for (const double r : line.numbers) side_.queueRandom(r);
      break;
    case Command::Seed:
      side_.seed(static_cast<std::uint64_t>(line.whole));
      break;
    case Command::Language:
      // The driver plays in English unless a script asks for a language it has.
      if (name != "en" && i18n::catalogueFor(name).size() == 0) {
        refuse("no language '" + name + "'; there are en and " + languageList());
      }
      g.useLanguage(i18n::catalogueFor(name));
      break;
    case Command::Start:
      started_ = true;
      act(line, nullptr, [&] { g.form.load(); });
      break;
    case Command::Click:
    case Command::RightClick: {
      toolkit::Control& c = control(name);
      if (!c.shownOnScreen()) refuse(name + " is not shown, so it cannot be clicked");
      const bool left = line.command == Command::Click;
      act(line, &c,
          [&] { g.form.clickControl(c, left ? toolkit::kLeftButton : toolkit::kRightButton); });
      break;
    }
    case Command::Key: {
      toolkit::Control& c = control(name);
      if (!c.canTakeFocus() || !c.shownOnScreen()) {
        refuse(name + " cannot take the keyboard focus");
      }
      act(line, &c, [&] { g.form.keyStroke(c, line.key); });
      break;
    }
    case Command::Release: {
      // The left button let go off the control it went down on: no click, only its MouseUp.
      toolkit::Control& c = control(name);
      handler(&c, [&] {
        if (c.MouseUp) c.MouseUp(toolkit::kLeftButton, 0, 0, 0);
      });
      break;
    }
    case Command::KeyUp: {
      // A key let go on the focused control without its press (the press went to another one).
      toolkit::Control& c = control(name);
      if (g.form.focused() != &c) refuse(name + " has not the focus");
      handler(&c, [&] {
        if (c.KeyUp) c.KeyUp(line.key, 0);
      });
      break;
    }
    case Command::Focus:
      // The keyboard focus put on a control (Tab, a press that clicked nothing), or on none.
      if (name.empty()) {
        g.form.setFocus(nullptr);
      } else {
        toolkit::Control& c = control(name);
        if (!c.canTakeFocus()) refuse(name + " cannot take the focus");
        g.form.setFocus(&c);
      }
      break;
    case Command::MouseMove:
      handler(nullptr, [&] {
        const auto buttons = static_cast<std::int16_t>(line.whole);
        if (g.form.MouseMove) g.form.MouseMove(buttons, 0, 0, 0);
      });
      break;
    case Command::Call:
      callProcedure(line);
      break;
    case Command::Set:
      handler(nullptr, [&] { write(name, line.value); });
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
    case Command::Unknown:
      break;  // lineProblem has refused it
  }
}

toolkit::Control& ScriptExecutor::control(std::string_view path) const {
  toolkit::Control* c = game_.form.find(path);
  if (c == nullptr) refuse("no control named '" + std::string(path) + "'");
  return *c;
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

JsonValue ScriptExecutor::read(std::string_view target) const {
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

void ScriptExecutor::write(std::string_view target, const JsonValue& value) {
  const std::string what(target);
  const std::size_t dot = target.find('.');
  if (dot == std::string_view::npos) {
    const auto [name, index] = splitIndex(side_, target);
    if (name == "rollCount" && index < 0) {
      game_.rollCount = asInt16(side_, value, what);
    } else if (name == "currentPlayer" && index < 0) {
      // The turn change hands the turn on from the current seat and wraps only at the last seat
      // in play, so a current seat beyond the players would walk off the cards.
      const std::int16_t p = asInt16(side_, value, what);
      if (p < 1 || p > game_.playerCount) {
        refuse("currentPlayer is a seat in play, 1 to playerCount (" +
               std::to_string(game_.playerCount) + ")");
      }
      game_.currentPlayer = p;
    } else if (name == "playerCount" && index < 0) {
      const std::int16_t n = asInt16(side_, value, what);
      if (n < 1 || n > 4) refuse("playerCount is 1 to 4");
      if (n < game_.currentPlayer) {
        refuse("playerCount cannot drop below currentPlayer (" +
               std::to_string(game_.currentPlayer) + ")");
      }
      game_.playerCount = n;
    } else if (name == "diceValues") {
      auto face = [&](const JsonValue& v) {
        const std::int16_t f = asInt16(side_, v, what);
        if (f < 0 || f > 6) refuse("a die's value is 0 to 6");
        return f;
      };
      if (index >= 1 && index <= 5) {
        game_.diceValues[index] = face(value);
      } else if (index < 0 && value.kind == JsonValue::Kind::Array && value.items.size() == 5) {
        for (int i = 0; i < 5; ++i) game_.diceValues[i + 1] = face(value.items[i]);
      } else {
        refuse("diceValues takes five faces, or diceValues(i) one");
      }
    } else if (name == "playerNames" && index >= 1 && index <= 4) {
      game_.playerNames[index] = asText(side_, value, what);
    } else {
      refuse("'" + what + "' cannot be set");
    }
    return;
  }
  toolkit::Control& c = control(target.substr(0, dot));
  const std::string_view prop = target.substr(dot + 1);
  auto number = [&] {
    if (value.kind != JsonValue::Kind::Number || !std::isfinite(value.number)) {
      refuse(what + " takes a number");
    }
    return static_cast<float>(value.number);
  };
  // Sizes are fixed by the layout for the whole run; the dice scatter relies on them to always
  // find a free place, so a script may move controls but never resize them.
  if (prop == "Width" || prop == "Height") {
    refuse(what + " is fixed by the layout and cannot be set");
  }
  if (prop == "Left") {
    c.Left = number();
  } else if (prop == "Top") {
    c.Top = number();
  } else if (prop == "Caption") {
    c.Caption = asText(side_, value, what);
  } else if (prop == "ToolTipText") {
    c.ToolTipText = asText(side_, value, what);
  } else if (prop == "Tag") {
    c.Tag = asText(side_, value, what);
  } else if (prop == "Visible") {
    if (value.kind != JsonValue::Kind::Boolean) refuse(what + " takes true or false");
    c.Visible = value.boolean;
  } else if (prop == "Picture") {
    const std::string pictureName = asText(side_, value, what);
    if (pictureName.empty()) {
      c.Picture = {};
    } else if (const toolkit::PictureRef* picture = findPicture(pictureName)) {
      c.Picture = *picture;
    } else {
      refuse("no picture named '" + pictureName + "'");
    }
  } else if (c.kind() == toolkit::ControlKind::CheckBox && prop == "Value") {
    const std::int16_t v = asInt16(side_, value, what);
    if (v != 0 && v != 1) refuse("a check box's Value is 0 or 1");
    static_cast<toolkit::CheckBox&>(c).setValue(v);
  } else if (c.kind() == toolkit::ControlKind::TextBox && prop == "Text") {
    static_cast<toolkit::TextBox&>(c).Text = asText(side_, value, what);
  } else {
    refuse("'" + what + "' cannot be set");
  }
}

void ScriptExecutor::callProcedure(const ScriptLine& line) {
  const std::string_view name = line.text;
  const std::string_view argument = line.argument;
  frmQuintoz& g = game_;
  auto runHandler = [&](const std::function<void()>& handler) {
    act(line, nullptr, [&] { g.form.runEvent(handler); });
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

std::string ScriptExecutor::dump() const {
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

std::string ScriptExecutor::layout() const {
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
