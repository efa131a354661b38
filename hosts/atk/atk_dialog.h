#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hosts/atk/atk_actions.h"
#include "hosts/atk/atk_peer.h"
#include "hosts/atk/atk_voice.h"
#include "hosts/atk/dialog_watcher.h"

class Fl_Widget;

namespace fltkhost {

struct PartContext;

// One open prompt or message as ATK sees it: a dialog with its text, the input box's field as
// an entry that the text labels, and its buttons; a message box's message is said as its focus
// first arrives (atk_voice.h). Made when the dialog opens and dropped when it
// closes; owned by the accessibility bridge.
class DialogPeers {
 public:
  // The dialog's widgets, the application's peer and the queue must outlive this.
  DialogPeers(Fl_Window& dialog, const DialogParts& parts, Peer& application, ActionQueue& actions);
  ~DialogPeers();
  DialogPeers(const DialogPeers&) = delete;
  DialogPeers& operator=(const DialogPeers&) = delete;

  Peer& dialog() { return *dialog_; }
  Fl_Window& window() const { return window_; }
  // Called after each event of the dialog: tells the focus, text and caret that changed.
  void update();
  // Called as the dialog opens (or as the bridge starts while it is open) and as it closes: the
  // window signals, and the focus where the dialog put it.
  void tellOpened();
  void tellClosed();
  // Hands the objects of the dialog and its parts to `into`, before this goes.
  void retire(RetiredObjects& into);

 private:
  Fl_Window& window_;
  DescriptionVoice voice_{[](Peer& speaker) { speaker.notifyDescription(); }};
  std::string message_;  // a message box's text, empty for an input box
  bool messageSaid_ = false;
  std::unique_ptr<Peer> dialog_;
  std::unique_ptr<PartContext> context_;
  std::vector<std::unique_ptr<Peer>> parts_;  // the text, the field, the buttons, in order
  std::vector<Fl_Widget*> widgets_;           // each part's widget (null for the text)
  const Fl_Widget* focused_ = nullptr;        // as last told
  std::string fieldText_;                     // as last told
  int fieldCaret_ = -1;
  Peer* field_ = nullptr;
};

}  // namespace fltkhost
