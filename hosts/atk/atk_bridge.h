#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hosts/atk/atk_actions.h"
#include "hosts/atk/dialog_watcher.h"

class Fl_Window;
struct _AtkKeyEventStruct;

namespace toolkit {
class Form;
}
namespace windowcore {
class WindowCore;
}

namespace fltkhost {

class AssistiveStatus;
class DialogPeers;
class RetiredObjects;
class FormPeers;
class GlibLoop;
class Peer;

// The Linux window's screen-reader support: the game window and its dialogs as ATK objects,
// spoken over AT-SPI by the desktop's bridge (atk-bridge), for Orca. Nothing of it is loaded
// until assistive technology is on (AssistiveStatus); then it loads ATK and its bridge, shows what
// is open, and from then on hands every key to the screen reader before the game sees it (so that
// a key the reader takes, such as its own modifier, never reaches the game). With
// NO_AT_BRIDGE=1 nothing is asked or loaded at all. Owned by main for the whole run; one per
// process.
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
  void closed(Fl_Window& dialog) override;
  void waiting() override;

 private:
  class Application;
  // Called on the loop once the status is on: loads the bridge on that accessibility bus.
  void connect(const std::string& address);
  static int dispatch(int event, Fl_Window* window);
  // A key press or release, as ATK's key listeners hear it: true when one of them took it.
  bool keyTaken(int event);
  void handled(int event);
  static void updateSoon(void* self);
  // Called once a screen reader listens: tells it what is open, as if it had just opened.
  static void tellWhatIsOpen(void* self);
  void updateForm();
  std::vector<Peer*> topLevels() const;

  Fl_Window& window_;
  ActionQueue actions_;
  std::unique_ptr<Application> application_;
  std::unique_ptr<FormPeers> form_;
  std::unique_ptr<RetiredObjects> retired_;            // closed dialogs' objects
  std::vector<std::unique_ptr<DialogPeers>> dialogs_;  // open ones, innermost last
  std::unique_ptr<AssistiveStatus> status_;            // once the first dialog is up
  std::unique_ptr<GlibLoop> loop_;                     // once connected
  struct KeyListener {
    unsigned id;
    int (*snoop)(_AtkKeyEventStruct*, void*);
    void* data;
  };
  std::vector<KeyListener> keyListeners_;  // registered by atk-bridge
  unsigned lastListener_ = 0;
  bool wanted_ = true;      // false with NO_AT_BRIDGE=1
  bool connected_ = false;  // atk-bridge is serving
  bool windowListed_ = false;
  bool dirty_ = false;  // painted since the tree was last looked at
};

}  // namespace fltkhost
