#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "hosts/core/board_arrangement.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/scaled_canvas.h"

namespace windowcore {

// What the window core asks of a platform's window. Each front end implements it once, over its
// own window, tool tip and canvas; the core's tests implement it with no display at all.
class PlatformWindow {
 public:
  virtual ~PlatformWindow() = default;

  // Called by the core when the form no longer looks as it was last painted: the platform makes
  // sure WindowCore::paint runs soon. It must not feed input to the core from inside this call.
  virtual void invalidate() = 0;
  // Called by the core when the pointer comes to rest over a control with another tool tip:
  // show `text` for `area` (device pixels, window-relative) after the platform's usual delay, or
  // take the tip down when the text is empty.
  virtual void showToolTip(const std::string& text, const toolkit::PixelRect& area) = 0;
  // Called by the core when the scale changes, before the next paint: the pictures of the old
  // scale are freed, so a platform canvas that keeps converted copies by address must drop them.
  virtual void forgetPictures() = 0;
  // Called by the core after each paint with the fingerprint of the form it painted: the
  // platform leaves it where a program outside can read it (a window property, an attribute of
  // the page), so that a test can tell whether the window shows the game's state. It must not
  // draw or feed input to the core.
  virtual void markPainted(std::uint64_t fingerprint) = 0;
};

// What every window does the same way, whatever the platform: it keeps the scale, paints the
// form through the scaled canvas with pictures redrawn from their geometry, turns device pixels
// into layout pixels for the form's input, tracks tool tips, and asks for a paint only when
// what would be drawn has changed. A front end owns one per window and calls it from its event
// loop; the core reaches the platform only through PlatformWindow.
class WindowCore {
 public:
  // Made once by a front end's window: `scale` is device pixels per layout pixel (one at 96
  // dots per inch). The form and the platform window must outlive the core.
  WindowCore(toolkit::Form& form, PlatformWindow& window, double scale);

  double scale() const { return scale_; }
  // Called by a front end when its density changes (another monitor, a zoom, a narrower page):
  // drops the old scale's pictures and asks for a paint. Ignores a scale that is not positive.
  void setScale(double scale);
  // Called by a front end that lays the window's parts out anew (the page on a touch screen):
  // the board's shape (BoardShape), and a paint. The desktop windows keep the window's.
  void arrange(int shape);
  int shape() const { return shape_; }
  const BoardArrangement& board() const { return boardArrangement(shape_); }
  // The window's client area in device pixels at the current scale: the board's size (the
  // form's own in the window's shape) with its edges rounded as every control's are, so that
  // the last column of pixels is the form's.
  toolkit::PixelRect deviceRect() const;
  // Called for the accessibility mirror: where the control stands on the board, in layout
  // pixels, and for a control with a tap area, that area. Changes nothing.
  toolkit::PixelRect boardPlace(const toolkit::Control& control,
                                const toolkit::PixelRect& bounds) const;
  // The form's icon at the current scale, drawn again from its geometry when the scale is not
  // one; null when the form has none. Valid until the scale changes.
  const toolkit::Image* icon();

  // Called by the platform whenever its window must be drawn (an expose, or after invalidate):
  // paints the whole form on the platform's canvas, directly at scale one so that the 96-dpi
  // window stays exactly as laid out, else through the scaled canvas, then marks the window
  // with what it painted. Changes nothing of the game.
  void paint(toolkit::Canvas& device);

  // Called by the platform's event loop with positions in device pixels relative to the window's
  // client area. Each may run any of the game's handlers, and asks for a paint if the form changed.
  void pointerDown(int x, int y, std::int16_t button);
  void pointerMove(int x, int y, std::int16_t buttons);
  void pointerUp(int x, int y, std::int16_t button);
  // A finger held still on the board: the tip of the control under it, if any, as a resting
  // mouse pointer would show it; the finger's press is forgotten, so lifting it does nothing.
  void longPress(int x, int y);
  // The pointer left the window: no tool tip stays up.
  void pointerLeave();
  void keyDown(std::int16_t key, std::int16_t shift);
  void keyUp(std::int16_t key, std::int16_t shift);
  // Called for a request from outside the form's input (the system asks the window to close):
  // runs the handler as an event of the form, then asks for a paint if the form changed.
  void runEvent(const std::function<void()>& handler);
  // Called by a platform host's repaint (the timed wait) and after anything else that may have
  // changed the form: asks for a paint when the form looks different from the last one painted.
  void refresh();

  // A device pixel as the form's layout pixel; positions left of or above the window stay
  // negative, so that they hit nothing.
  int layoutPixel(int devicePixel) const;
  // A device pixel of the board as a layout pixel of the form: through the board's tap areas
  // and regions; a point outside all of them is left of the window, where it hits nothing.
  std::pair<int, int> formPoint(int x, int y) const;

 private:
  void updateToolTip(int x, int y);
  void hideToolTip();
  // The whole device pixels by which the region is moved on the board at the current scale.
  std::pair<int, int> shift(const BoardRegion& region) const;
  void paintRegions(toolkit::Canvas& device);

  toolkit::Form& form_;             // owned by the game
  PlatformWindow& window_;          // owned by the front end
  double scale_;                    // changed only by setScale
  int shape_ = 0;                   // changed only by arrange
  toolkit::PictureCache pictures_;  // the pictures at scale_, when it is not one
  // The control whose tip is up or waiting, and its text; owned by the tool tip functions.
  const toolkit::Control* tipControl_ = nullptr;
  std::string tipText_;
  // What the form looked like when the platform was last asked to paint it (see fingerprint).
  std::uint64_t shown_ = 0;
};

// Called by the core after input, by the headless driver and by tests: a digest of everything
// the painter would draw for the form, so that two forms that look alike have the same digest,
// in any process (pictures count by name, not by address). Changes nothing.
std::uint64_t formFingerprint(const toolkit::Form& form);
// The fingerprint as the windows mark it and the headless driver prints it: sixteen lower-case
// hexadecimal digits.
std::string fingerprintText(std::uint64_t fingerprint);

}  // namespace windowcore
