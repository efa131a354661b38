#include "hosts/script/script_executor.h"

#include <cmath>

#include "hosts/script/script_values.h"
#include "hosts/script_language/script_line.h"
#include "ui/pictures.h"

namespace script {

using values::splitIndex;

namespace {

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

void ScriptExecutor::run(const ScriptLine& line) {
  if (std::string problem = lineProblem(line, started_); !problem.empty()) refuse(problem);
  const std::string& name = line.text;
  frmQuintoz& g = game_;
  // Each input runs as the window runs the game's events; a handler of its own runs inside
  // runEvent, as the window's toolkit runs it.
  auto handler = [&](const toolkit::Control* c, const std::function<void()>& body) {
    side_.act(line, c, [&] { g.form.runEvent(body); });
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
    case Command::Start:
      started_ = true;
      side_.act(line, nullptr, [&] { g.form.load(); });
      break;
    case Command::Click:
    case Command::RightClick: {
      toolkit::Control& c = control(name);
      if (!c.shownOnScreen()) refuse(name + " is not shown, so it cannot be clicked");
      const bool left = line.command == Command::Click;
      side_.act(line, &c, [&] {
        g.form.clickControl(c, left ? toolkit::kLeftButton : toolkit::kRightButton);
      });
      break;
    }
    case Command::Key: {
      toolkit::Control& c = control(name);
      if (!c.canTakeFocus() || !c.shownOnScreen()) {
        refuse(name + " cannot take the keyboard focus");
      }
      side_.act(line, &c, [&] { g.form.keyStroke(c, line.key); });
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
    case Command::Set:
      handler(nullptr, [&] { write(name, line.value); });
      break;
    default:
      runOther(line);
      break;
  }
}

void ScriptExecutor::runOther(const ScriptLine& line) {
  refuse("'" + std::string(commandWord(line.command)) + "' lines are not run here");
}

toolkit::Control& ScriptExecutor::control(std::string_view path) const {
  toolkit::Control* c = game_.form.find(path);
  if (c == nullptr) refuse("no control named '" + std::string(path) + "'");
  return *c;
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

}  // namespace script
