#pragma once

#include <memory>
#include <vector>

#include "hosts/fltk/atk_actions.h"
#include "hosts/fltk/dialog_watcher.h"

class Fl_Window;

namespace toolkit {
class Form;
}
namespace windowcore {
class WindowCore;
}

namespace fltkhost {

class DialogPeers;
class FormPeers;
class GlibLoop;
class Peer;

// The Linux window's screen-reader support: the game window and its dialogs as ATK objects,
// spoken over AT-SPI by the desktop's bridge (atk-bridge), for Orca. Nothing of it starts
// before the first dialog is on screen, and it never waits for D-Bus while the game starts: the
// accessibility bus is looked up on a thread of its own, and the bridge is loaded only once it
// answered. With NO_AT_BRIDGE=1, or without a session bus, nothing is loaded at all. Owned by
// main for the whole run; one per process.
class Accessibility : public DialogWatcher {
 public:
  // The form, window and core must outlive this.
  Accessibility(toolkit::Form& form, Fl_Window& window, windowcore::WindowCore& core);
  ~Accessibility() override;
  Accessibility(const Accessibility&) = delete;
  Accessibility& operator=(const Accessibility&) = delete;

  // Called by the game window after each paint: the tree is looked at again from the loop.
  void painted();
  // Called by main once the window is shown.
  void windowShown();

  void opened(Fl_Window& dialog, const DialogParts& parts) override;
  void changed(Fl_Window& dialog) override;
  void closed(Fl_Window& dialog) override;

  // Read by ATK through the root object: the application's children.
  std::vector<Peer*> topLevels() const;
  Peer& root();
  // Called from the loop once the accessibility bus is known: loads atk-bridge on it.
  void connect(const char* address);

 private:
  static void begin(void* self);
  static void updateForm(void* self);
  static int addressFound(void* address);
  void beginSoon();

  ActionQueue actions_;
  std::unique_ptr<FormPeers> form_;
  std::unique_ptr<Peer> root_;
  std::vector<std::unique_ptr<DialogPeers>> dialogs_;  // open ones, innermost last
  std::unique_ptr<GlibLoop> loop_;                     // from the start on
  bool wanted_ = true;                                 // false with NO_AT_BRIDGE=1
  bool begun_ = false;                                 // the bus is being looked up
  bool connected_ = false;                             // atk-bridge is serving
  bool windowListed_ = false;
};

}  // namespace fltkhost
