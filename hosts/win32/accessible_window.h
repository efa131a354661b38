#pragma once

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/accessibility.h"

namespace win32 {

class FormAccessible;
// Gives back the window's one reference to its IAccessible object (COM objects end themselves).
struct ReleaseAccessible {
  void operator()(FormAccessible* object) const;
};

// The window's side of Microsoft Active Accessibility: answers WM_GETOBJECT for the client area
// with an IAccessible whose children are the nodes of the form's accessibility tree, raises
// the WinEvents that tell clients what changed, and carries their actions (default action,
// focus) to the form as window messages, so that the game's handlers run from the message loop
// as they do for the mouse, never inside a client's call. Owned by the game window.
class AccessibleWindow {
 public:
  explicit AccessibleWindow(toolkit::Form& form);
  ~AccessibleWindow();
  AccessibleWindow(const AccessibleWindow&) = delete;
  AccessibleWindow& operator=(const AccessibleWindow&) = delete;

  // Called first by the window procedure for every message: true when the message was this
  // object's (WM_GETOBJECT for the client area, or a client's action), with its result.
  bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Called after each paint, with the device pixels per layout pixel: brings the tree up to
  // date and raises the events for what changed.
  void update(HWND window, double scale);

  // Read by the IAccessible object.
  const toolkit::AccessibleTree& tree() const { return tracker_.tree(); }
  HWND window() const { return window_; }
  double scale() const { return scale_; }
  const std::string& caption() const { return form_.Caption; }
  const std::string& lastAnnouncement() const { return announced_; }

 private:
  toolkit::Form& form_;                    // owned by the game
  toolkit::AccessibilityTracker tracker_;  // owned here
  // One reference held here; made on the first request, cut off when the window goes.
  std::unique_ptr<FormAccessible, ReleaseAccessible> object_;
  HWND window_ = nullptr;
  double scale_ = 1.0;
  std::vector<std::string> sentences_;  // the latest announcements, oldest first
  std::string announced_;               // the same joined, the status line's name
  bool comReady_ = false;               // this thread's COM was initialised here
};

}  // namespace win32
