#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hosts/atk/atk_actions.h"
#include "hosts/atk/atk_peer.h"
#include "hosts/atk/atk_voice.h"
#include "toolkit/accessibility.h"

class Fl_Window;

namespace windowcore {
class WindowCore;
}

namespace fltkhost {

class NodePeer;
class StatusPeer;

// The game window as ATK sees it: a frame whose children are the nodes of the form's
// accessibility tree, nested as its groups are, and a status line that holds the latest
// announcements. Each announcement is also said as the description of whatever has the focus
// (atk_voice.h). Brought up to date after each paint; owned by the accessibility bridge.
class FormPeers {
 public:
  // The form, the window, its core, the application's peer and the queue must outlive this.
  FormPeers(toolkit::Form& form, Fl_Window& window, windowcore::WindowCore& core, Peer& application,
            ActionQueue& actions);
  ~FormPeers();

  Peer& window();
  // Called by the bridge as the window gains and loses the keyboard focus, and `again` for a
  // screen reader that has just come.
  void activate(bool active, bool again = false);
  // Called after a paint: builds the tree again and sends the signals for what changed since
  // the last call.
  void update();

  // Read by the peers.
  const toolkit::AccessibleTree& tree() const { return tracker_.tree(); }
  std::vector<Peer*> childrenOf(int parentId) const;
  Peer* peerOf(int id) const;
  Peer& application() const { return application_; }
  ScreenBox screenBox(const toolkit::PixelRect& layout) const;
  ScreenBox windowBox() const;
  bool active() const { return active_; }
  const std::string& caption() const { return form_.Caption; }
  const std::string& announced() const { return announced_; }
  std::string spokenBy(const Peer* peer) const { return voice_.descriptionOf(*peer); }
  // Queues the node's default action or focus as an event of the form.
  void act(int id, bool focusOnly);

 private:
  void reconcile(const toolkit::AccessibleTree& before);
  // Tells the focus's name before its focus, for a reader that may take the focus in silence.
  void tellAhead(Peer& focus);
  void announce(const std::vector<std::string>& sentences);

  toolkit::Form& form_;
  Fl_Window& window_;
  windowcore::WindowCore& core_;
  Peer& application_;
  ActionQueue& actions_;
  toolkit::AccessibilityTracker tracker_;
  std::unique_ptr<Peer> windowPeer_;
  std::unique_ptr<StatusPeer> status_;
  std::map<int, std::unique_ptr<NodePeer>> nodes_;  // by node id
  std::vector<std::string> sentences_;              // the latest announcements, oldest first
  std::string announced_;                           // the same joined: the status line's text
  bool active_ = false;
  DescriptionVoice voice_{[](Peer& speaker) { speaker.notifyDescription(); }};
};

}  // namespace fltkhost
