#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/image.h"
#include "toolkit/style.h"

namespace toolkit {

class CheckBox;
class Form;

enum class ControlKind { Form, CommandButton, Frame, CheckBox, Label, TextBox, Image, Shape };

// Mouse buttons as the events report them: a bit mask, 1 left, 2 right, 4 middle.
enum MouseButton : std::int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// Key codes as the events report them: Space, Tab and the capital letters and digits keep
// their ASCII codes.
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyTab = 9;

// One control of the window. Properties are plain fields named as the game names them: the
// layout writes them once, the game writes them while playing, and the painter and the input
// dispatch only read them. Position and size are single-precision twips relative to the
// container. A control belongs to one container and never moves to another.
class Control {
 public:
  Control(ControlKind kind, std::string name, std::int16_t index);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  // The element number within its control array, or -1 for a control that is not in one.
  std::int16_t index() const { return index_; }
  // The name with its index, as scripts and messages write it: "chk1s(2)", "cmdRoll".
  std::string path() const;

  Control* parent() const { return parent_; }
  // The children, front-most first. Only the window and frames have any.
  const std::vector<Control*>& children() const { return children_; }
  // Called by the layout: places child in this container, behind the children it has.
  void addChild(Control& child);
  // Called by the game to show a control above its siblings (a score card at a turn change).
  void bringToFront();
  // Position among the siblings, 0 for the front-most.
  int zOrder() const;

  // True when this control and every container above it are visible.
  bool shownOnScreen() const;
  // The control's rectangle in window pixels, and the part of it its containers let show.
  PixelRect pixelRect() const;
  PixelRect visiblePixelRect() const;

  float Left = 0;
  float Top = 0;
  float Width = 0;
  float Height = 0;
  bool Visible = true;
  std::string Caption;
  std::string ToolTipText;
  std::string Tag;
  PictureRef Picture;
  Font font;
  Rgb BackColor{255, 255, 255};
  Rgb ForeColor{0, 0, 0};
  // Keyboard order; -1 for a control that never takes the focus.
  std::int16_t TabIndex = -1;

  // Events. The form that owns the control binds them; the toolkit raises them.
  std::function<void()> Click;
  std::function<void(std::int16_t button, std::int16_t shift, float x, float y)> MouseUp;
  std::function<void(std::int16_t keyCode, std::int16_t shift)> KeyUp;

  // Whether the user can put the keyboard focus on this kind of control.
  bool canTakeFocus() const;
  // This control as a check box, or null: what input does to a control depends on it. (Not a
  // dynamic_cast: the page is built without run-time type information, which it would only
  // carry for this.)
  virtual CheckBox* asCheckBox() { return nullptr; }

 private:
  ControlKind kind_;
  std::string name_;
  std::int16_t index_;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
};

// A check box drawn as a push button: a die or a score box. Its state is Value, 0 or 1.
class CheckBox : public Control {
 public:
  CheckBox(std::string name, std::int16_t index) : Control(ControlKind::CheckBox, name, index) {}
  CheckBox* asCheckBox() override { return this; }

  std::int16_t value() const { return value_; }
  // Called by the game and by user input. When the state changes, the Click event runs inside
  // this call, after the new state is stored; writing the same state raises nothing.
  void setValue(std::int16_t newValue);

 private:
  std::int16_t value_ = 0;
};

class CommandButton : public Control {
 public:
  CommandButton(std::string name, std::int16_t index)
      : Control(ControlKind::CommandButton, name, index) {}
};

class Frame : public Control {
 public:
  Frame(std::string name, std::int16_t index) : Control(ControlKind::Frame, name, index) {}
  bool hasBorder = true;
};

class Label : public Control {
 public:
  Label(std::string name, std::int16_t index) : Control(ControlKind::Label, name, index) {}
  HAlign alignment = HAlign::Left;
};

class TextBox : public Control {
 public:
  TextBox(std::string name, std::int16_t index) : Control(ControlKind::TextBox, name, index) {}
  std::string Text;
};

class ImageBox : public Control {
 public:
  ImageBox(std::string name, std::int16_t index) : Control(ControlKind::Image, name, index) {}
};

// A rectangle outline; it takes no input, so clicks pass to its container.
class Shape : public Control {
 public:
  Shape(std::string name, std::int16_t index) : Control(ControlKind::Shape, name, index) {}
  Rgb BorderColor{255, 255, 255};
};

}  // namespace toolkit
