#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control.h"

namespace toolkit {

// The top-level window: the root container of the controls, the register of their names, the
// keeper of the keyboard focus, and the one place where platform input becomes control events.
// Front ends and the scripted driver call the input functions; the game binds the events.
class Form : public Control {
 public:
  explicit Form(std::string name) : Control(ControlKind::Form, std::move(name), -1) {}

  // The window's icon; Caption is its title.
  PictureRef Icon;

  // Raised once before the window is first shown (and by nothing else in the toolkit).
  std::function<void()> Load;
  // Raised when the mouse moves over the bare surface of the window, or anywhere while a button
  // pressed on the bare surface is held.
  std::function<void(std::int16_t button, std::int16_t shift, float x, float y)> MouseMove;
  // Raised after the outermost event handler has returned: work that must wait until every
  // handler on the way has finished runs here.
  std::function<void()> AfterEvent;

  // Called by the layout for every control it creates, so that it can be found by name.
  void registerControl(Control& control);
  // Finds a control by its path ("chkDie(3)", "cmdRoll", the form's own name); nullptr if none.
  Control* find(std::string_view path) const;
  const std::vector<Control*>& controls() const { return registry_; }

  Control* focused() const { return focused_; }
  // Called by input and by the scripted driver; ignores controls that cannot take the focus.
  void setFocus(Control* control);
  // Moves the focus to the next (or previous) control in keyboard order that can be reached.
  void focusNext(bool backwards);
  // True when the user can reach the control: shown, and not covered by a sibling in front of
  // one of its containers (the score cards behind the current one).
  bool reachable(const Control& control) const;

  // Called by front ends with window pixels. They run the events they cause inside runEvent.
  void pointerDown(int x, int y, std::int16_t button);
  void pointerMove(int x, int y, std::int16_t buttons);
  void pointerUp(int x, int y, std::int16_t button);
  void keyDown(std::int16_t key, std::int16_t shift);
  void keyUp(std::int16_t key, std::int16_t shift);
  // The front-most visible control under the point, or the form itself for its bare surface.
  Control* hitTest(int x, int y) const;
  std::string toolTipAt(int x, int y) const;
  // Called by a front end when a press turned out to be a question (a finger held still for
  // a tool tip): its release then raises nothing.
  void forgetPress() { pressed_ = nullptr; }
  // True while a button pressed on the bare surface is held (the window may be dragged).
  bool pressedOnSurface() const { return pressed_ == this; }

  // Called by the scripted driver: a whole click (press and release over the control) or a
  // whole key stroke while the control has the focus, with exactly the events real input gives.
  void clickControl(Control& control, std::int16_t button);
  void keyStroke(Control& control, std::int16_t key);

  // Runs one event handler. When it is the outermost one, AfterEvent follows it, and a focus
  // left on a control out of reach moves to the nearest one within reach.
  void runEvent(const std::function<void()>& handler);
  // Called by front ends once, before the window is first shown.
  void load();

 private:
  void release(Control& control, std::int16_t button, bool inside, float x, float y);
  void pressKeyUp(Control& control, std::int16_t key, std::int16_t shift);
  // Called after each outermost event: moves the focus off a control that went out of reach.
  void keepFocusWithinReach();

  std::vector<Control*> registry_;  // every control, in creation order; owned by the game
  Control* focused_ = nullptr;      // owned by the input functions
  Control* pressed_ = nullptr;      // the control a held mouse button went down on
  Control* spaceDownOn_ = nullptr;  // the control that had the focus when Space went down
  int eventDepth_ = 0;
};

}  // namespace toolkit
