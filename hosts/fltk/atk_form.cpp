#include "hosts/fltk/atk_form.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "hosts/core/window_core.h"
#include "toolkit/scaled_canvas.h"
#include "ui/accessible_words.h"

namespace fltkhost {

namespace {

class WindowPeer : public Peer {
 public:
  explicit WindowPeer(FormPeers& owner) : owner_(owner) {}
  Kind kind() const override { return Kind::Window; }
  AtkRole role() const override { return ATK_ROLE_FRAME; }
  std::string name() const override { return owner_.caption(); }
  Peer* parent() const override { return nullptr; }
  std::vector<Peer*> children() const override { return owner_.childrenOf(0); }
  void addStates(AtkStateSet* states) const override {
    if (owner_.active()) atk_state_set_add_state(states, ATK_STATE_ACTIVE);
  }
  ScreenBox extents() const override { return owner_.windowBox(); }

 private:
  FormPeers& owner_;
};

Peer::Kind kindOf(const toolkit::AccessibleNode& node) {
  switch (node.role) {
    case toolkit::AccessibleRole::Button:
    case toolkit::AccessibleRole::CheckBox:
      return Peer::Kind::Action;
    case toolkit::AccessibleRole::Text:
      return Peer::Kind::Text;
    case toolkit::AccessibleRole::Group:
      break;
  }
  return Peer::Kind::Plain;
}

}  // namespace

// One node of the tree, found again by its id on every call, so that it always tells the tree
// as last updated.
class NodePeer : public Peer {
 public:
  NodePeer(FormPeers& owner, const toolkit::AccessibleNode& node)
      : owner_(owner),
        id_(node.id),
        kind_(kindOf(node)),
        checked_(node.checked),
        focused_(node.focused) {}
  Kind kind() const override { return kind_; }
  AtkRole role() const override {
    switch (node().role) {
      case toolkit::AccessibleRole::Button:
        return ATK_ROLE_PUSH_BUTTON;
      case toolkit::AccessibleRole::CheckBox:
        return ATK_ROLE_CHECK_BOX;
      case toolkit::AccessibleRole::Text:
        return ATK_ROLE_LABEL;
      case toolkit::AccessibleRole::Group:
        break;
    }
    return ATK_ROLE_PANEL;
  }
  std::string name() const override { return node().name; }
  std::string text() const override { return node().value.empty() ? node().name : node().value; }
  Peer* parent() const override {
    const int parentId = node().parentId;
    return parentId == 0 ? &owner_.window() : owner_.peerOf(parentId);
  }
  std::vector<Peer*> children() const override { return owner_.childrenOf(id_); }
  void addStates(AtkStateSet* states) const override {
    const toolkit::AccessibleNode& n = node();
    if (n.role == toolkit::AccessibleRole::Button || n.role == toolkit::AccessibleRole::CheckBox) {
      atk_state_set_add_state(states, ATK_STATE_FOCUSABLE);
    }
    if (n.role == toolkit::AccessibleRole::CheckBox) {
      atk_state_set_add_state(states, ATK_STATE_CHECKABLE);
      if (n.checked) atk_state_set_add_state(states, ATK_STATE_CHECKED);
    }
    if (n.focused) atk_state_set_add_state(states, ATK_STATE_FOCUSED);
  }
  ScreenBox extents() const override { return owner_.screenBox(node().bounds); }
  ScreenBox windowBox() const override { return owner_.windowBox(); }
  bool grabFocus() override {
    owner_.act(id_, true);
    return true;
  }
  int actionCount() const override { return node().defaultAction.empty() ? 0 : 1; }
  std::string actionName(int) const override { return "click"; }
  std::string actionLocalName(int) const override { return node().defaultAction; }
  bool doAction(int index) override {
    if (index != 0 || actionCount() == 0) return false;
    owner_.act(id_, false);
    return true;
  }

  // Called by the owner after an update: tells the states that changed since the last call.
  void tellStates() {
    const toolkit::AccessibleNode& n = node();
    if (n.checked != checked_) notifyState(ATK_STATE_CHECKED, n.checked);
    if (n.focused != focused_) notifyState(ATK_STATE_FOCUSED, n.focused);
    checked_ = n.checked;
    focused_ = n.focused;
  }

 private:
  const toolkit::AccessibleNode& node() const {
    static const toolkit::AccessibleNode gone;
    const toolkit::AccessibleNode* n = owner_.tree().find(id_);
    return n != nullptr ? *n : gone;
  }

  FormPeers& owner_;
  int id_;
  Kind kind_;
  bool checked_;  // as last told
  bool focused_;
};

// The status line: the latest announcements, also sent as ATK announcements where ATK has them.
class StatusPeer : public Peer {
 public:
  explicit StatusPeer(FormPeers& owner) : owner_(owner) {}
  Kind kind() const override { return Kind::Text; }
  AtkRole role() const override { return ATK_ROLE_STATUSBAR; }
  std::string name() const override { return owner_.announced(); }
  Peer* parent() const override { return &owner_.window(); }
  ScreenBox extents() const override {
    const ScreenBox w = owner_.windowBox();
    return {w.x, w.y + w.h - 1, w.w, 1};
  }
  std::vector<std::pair<std::string, std::string>> attributes() const override {
    return {{"live", "polite"}, {"container-live", "polite"}};
  }

 private:
  FormPeers& owner_;
};

FormPeers::FormPeers(toolkit::Form& form, Fl_Window& window, windowcore::WindowCore& core,
                     ActionQueue& actions)
    : form_(form),
      window_(window),
      core_(core),
      actions_(actions),
      tracker_(form, accessibleWords()),
      windowPeer_(std::make_unique<WindowPeer>(*this)),
      status_(std::make_unique<StatusPeer>(*this)) {}

FormPeers::~FormPeers() {
  actions_.cancel(this);
  nodes_.clear();
}

Peer& FormPeers::window() {
  return *windowPeer_;
}

bool FormPeers::shown() const {
  return window_.shown() != 0;
}

bool FormPeers::active() const {
  return Fl::focus() == &window_;
}

const std::string& FormPeers::caption() const {
  return form_.Caption;
}

std::vector<Peer*> FormPeers::childrenOf(int parentId) const {
  std::vector<Peer*> out;
  for (const toolkit::AccessibleNode& node : tree().nodes) {
    if (node.parentId != parentId) continue;
    if (Peer* peer = peerOf(node.id)) out.push_back(peer);
  }
  if (parentId == 0) out.push_back(status_.get());
  return out;
}

Peer* FormPeers::peerOf(int id) const {
  const auto at = nodes_.find(id);
  return at == nodes_.end() ? nullptr : at->second.get();
}

ScreenBox FormPeers::windowBox() const {
  return {window_.x(), window_.y(), window_.w(), window_.h()};
}

ScreenBox FormPeers::screenBox(const toolkit::PixelRect& layout) const {
  const toolkit::PixelRect r = toolkit::scaledRect(layout, core_.scale());
  return {window_.x() + r.x, window_.y() + r.y, r.w, r.h};
}

void FormPeers::act(int id, bool focusOnly) {
  actions_.push(this, [this, id, focusOnly] {
    // The window takes no input while a dialog is up, from the mouse or from here.
    if (Fl::modal() != nullptr) return;
    core_.runEvent([this, id, focusOnly] {
      if (focusOnly) {
        toolkit::focusAccessible(form_, tree(), id);
      } else {
        toolkit::doDefaultAction(form_, tree(), id);
      }
    });
  });
}

void FormPeers::update() {
  const toolkit::AccessibleTree before = tracker_.tree();
  const toolkit::AccessibleChanges changes = tracker_.update();
  if (changes.structureChanged) reconcile(before);
  for (int id : changes.renamed) {
    if (Peer* peer = peerOf(id)) peer->notifyName();
  }
  for (int id : changes.stateChanged) {
    if (auto at = nodes_.find(id); at != nodes_.end()) at->second->tellStates();
  }
  if (!changes.announcements.empty()) announce(changes.announcements);
}

void FormPeers::reconcile(const toolkit::AccessibleTree& before) {
  // Nodes that went are removed from their old parent, as it listed them.
  std::vector<int> gone;
  for (const toolkit::AccessibleNode& old : before.nodes) {
    if (tree().find(old.id) != nullptr) continue;
    gone.push_back(old.id);
  }
  for (int id : gone) {
    const toolkit::AccessibleNode* old = before.find(id);
    Peer* parent = old->parentId == 0 ? windowPeer_.get() : peerOf(old->parentId);
    int index = 0;
    for (const toolkit::AccessibleNode& sibling : before.nodes) {
      if (sibling.id == id) break;
      if (sibling.parentId == old->parentId) ++index;
    }
    if (Peer* peer = peerOf(id); parent != nullptr && peer != nullptr) {
      parent->notifyChildRemoved(index, *peer);
    }
  }
  for (int id : gone) nodes_.erase(id);
  // New nodes are made, parents first (the tree lists groups before what they hold).
  for (const toolkit::AccessibleNode& node : tree().nodes) {
    if (nodes_.count(node.id) != 0) continue;
    nodes_[node.id] = std::make_unique<NodePeer>(*this, node);
    Peer* parent = node.parentId == 0 ? windowPeer_.get() : peerOf(node.parentId);
    if (parent == nullptr) continue;
    const std::vector<Peer*> siblings = parent->children();
    for (std::size_t i = 0; i < siblings.size(); ++i) {
      if (siblings[i] == nodes_[node.id].get()) {
        parent->notifyChildAdded(static_cast<int>(i), *siblings[i]);
      }
    }
  }
}

void FormPeers::announce(const std::vector<std::string>& sentences) {
  // The status line keeps the latest few sentences, so that a client reading it after a wait
  // (the turn change) still finds the commit that began it.
  constexpr std::size_t kKept = 4;
  for (const std::string& text : sentences) {
    if (sentences_.size() == kKept) sentences_.erase(sentences_.begin());
    sentences_.push_back(text);
  }
  const std::string before = announced_;
  announced_.clear();
  for (const std::string& text : sentences_) announced_ += (announced_.empty() ? "" : ". ") + text;
  status_->notifyName();
  status_->notifyTextChanged(before, announced_);
  // ATK's own announcement reaches a screen reader whatever has the focus; an ATK without it
  // leaves the status line to tell.
  if (windowPeer_->made() && g_signal_lookup("announcement", ATK_TYPE_OBJECT) != 0) {
    for (const std::string& text : sentences) {
      g_signal_emit_by_name(windowPeer_->object(), "announcement", text.c_str());
    }
  }
}

}  // namespace fltkhost
