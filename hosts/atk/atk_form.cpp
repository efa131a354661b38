#include "hosts/atk/atk_form.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "hosts/atk/atk_api.h"
#include "hosts/core/window_core.h"
#include "i18n/catalogues.h"
#include "toolkit/scaled_canvas.h"
#include "ui/accessible_words.h"

namespace fltkhost {

namespace {

// The words the screen reader is told, in the game's language (the window's).
const toolkit::AccessibleWords& gameWords() {
  static const toolkit::AccessibleWords words = accessibleWords(i18n::systemCatalogue());
  return words;
}

class WindowPeer : public Peer {
 public:
  explicit WindowPeer(FormPeers& owner) : owner_(owner) {}
  unsigned interfaces() const override { return kWindow; }
  AtkRole role() const override { return ATK_ROLE_FRAME; }
  std::string name() const override { return owner_.caption(); }
  std::string description() const override { return owner_.spokenBy(this); }
  Peer* parent() const override { return &owner_.application(); }
  std::vector<Peer*> children() const override { return owner_.childrenOf(0); }
  void addStates(AtkStateSet* states) const override {
    if (owner_.active()) atk().atk_state_set_add_state(states, ATK_STATE_ACTIVE);
  }
  ScreenBox extents() const override { return owner_.windowBox(); }

 private:
  FormPeers& owner_;
};

}  // namespace

// How ATK sees each role of the form's tree: its role and the interfaces it offers.
std::pair<AtkRole, unsigned> atkRole(toolkit::AccessibleRole role) {
  switch (role) {
    case toolkit::AccessibleRole::Button:
      return {ATK_ROLE_PUSH_BUTTON, Peer::kAction};
    case toolkit::AccessibleRole::CheckBox:
      return {ATK_ROLE_CHECK_BOX, Peer::kAction};
    case toolkit::AccessibleRole::Text:
      return {ATK_ROLE_LABEL, Peer::kText};
    case toolkit::AccessibleRole::Group:
      break;
  }
  return {ATK_ROLE_PANEL, 0};
}

// One node of the tree, found again by its id on every call, so that it always tells the tree
// as last updated.
class NodePeer : public Peer {
 public:
  NodePeer(FormPeers& owner, const toolkit::AccessibleNode& node)
      : owner_(owner),
        id_(node.id),
        role_(atkRole(node.role)),
        checked_(node.checked),
        focused_(node.focused) {}
  unsigned interfaces() const override { return role_.second; }
  AtkRole role() const override { return role_.first; }
  std::string name() const override { return node().name; }
  std::string description() const override { return owner_.spokenBy(this); }
  std::string text() const override { return node().value.empty() ? node().name : node().value; }
  Peer* parent() const override {
    const int parentId = node().parentId;
    return parentId == 0 ? &owner_.window() : owner_.peerOf(parentId);
  }
  std::vector<Peer*> children() const override { return owner_.childrenOf(id_); }
  void addStates(AtkStateSet* states) const override {
    const toolkit::AccessibleNode& n = node();
    const auto add = [states](AtkStateType s) { atk().atk_state_set_add_state(states, s); };
    if ((interfaces() & kAction) != 0) add(ATK_STATE_FOCUSABLE);
    if (n.role == toolkit::AccessibleRole::CheckBox) add(ATK_STATE_CHECKABLE);
    if (n.checked) add(ATK_STATE_CHECKED);
    if (n.focused) add(ATK_STATE_FOCUSED);
  }
  ScreenBox extents() const override { return owner_.screenBox(node().bounds); }
  ScreenBox windowBox() const override { return owner_.windowBox(); }
  bool grabFocus() override {
    owner_.act(id_, true);
    return true;
  }
  std::string actionName() const override { return node().defaultAction.empty() ? "" : "click"; }
  std::string actionWord() const override { return node().defaultAction; }
  bool doAction() override {
    if (node().defaultAction.empty()) return false;
    owner_.act(id_, false);
    return true;
  }

  // Called by the owner after an update: tells the states that changed since the last call.
  void tellStates() {
    const toolkit::AccessibleNode& n = node();
    // A die's name says it is held, and its new name is told: its state is not told again.
    if (n.checked != checked_ && !n.picture) notifyState(ATK_STATE_CHECKED, n.checked);
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
  std::pair<AtkRole, unsigned> role_;
  bool checked_;  // as last told
  bool focused_;
};

// The status line: the latest announcements, for a reader who asks again later.
class StatusPeer : public Peer {
 public:
  explicit StatusPeer(FormPeers& owner) : owner_(owner) {}
  unsigned interfaces() const override { return kText; }
  AtkRole role() const override { return ATK_ROLE_STATUSBAR; }
  std::string name() const override { return owner_.announced(); }
  Peer* parent() const override { return &owner_.window(); }
  ScreenBox extents() const override {
    const ScreenBox w = owner_.windowBox();
    return {w.x, w.y + w.h - 1, w.w, 1};
  }

 private:
  FormPeers& owner_;
};

FormPeers::FormPeers(toolkit::Form& form, Fl_Window& window, windowcore::WindowCore& core,
                     Peer& application, ActionQueue& actions)
    : form_(form),
      window_(window),
      core_(core),
      application_(application),
      actions_(actions),
      tracker_(form, gameWords()),
      windowPeer_(std::make_unique<WindowPeer>(*this)),
      status_(std::make_unique<StatusPeer>(*this)) {}

FormPeers::~FormPeers() {
  actions_.cancel(this);
}

Peer& FormPeers::window() {
  return *windowPeer_;
}

void FormPeers::activate(bool active, bool again) {
  if (active == active_ && !again) return;
  // A reader that comes back to the window reads its focus afresh: the last words go first.
  // Then what the window shows is brought up to date, so that nothing it told before is said
  // again after the window's name.
  if (active) {
    voice_.hush();
    update();
  }
  active_ = active;
  // The state first: a screen reader checks it when the window signal arrives.
  windowPeer_->notifyState(ATK_STATE_ACTIVE, active);
  windowPeer_->notifyWindow(active ? "activate" : "deactivate");
  if (!active) return;
  // Then where the keys act, as the window gets them back (after a dialog, say): the focused
  // control, or with none the latest news ("Ann roll! 3 rolls left" as the game begins).
  if (Peer* focus = peerOf(tree().focusedId)) {
    tellAhead(*focus);
    focus->notifyState(ATK_STATE_FOCUSED, true);
  } else if (!sentences_.empty()) {
    voice_.say(*windowPeer_, sentences_.back());
  }
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
  // The new focus is read with its description: the last words are taken back first.
  if (changes.focusChanged) voice_.hush();
  // A focus that comes to a control while none had it may be taken in silence.
  if (Peer* focus = peerOf(tree().focusedId);
      focus != nullptr && changes.focusChanged && before.focusedId == 0) {
    tellAhead(*focus);
  }
  // What a state says comes first ("checked"), then what it caused, then the names: a roll's
  // faces before the roll button's rolls left.
  for (int id : changes.stateChanged) {
    if (auto at = nodes_.find(id); at != nodes_.end()) at->second->tellStates();
  }
  if (!changes.announcements.empty()) announce(changes.announcements);
  for (int id : changes.renamed) {
    if (Peer* peer = peerOf(id)) peer->notifyName();
  }
}

void FormPeers::tellAhead(Peer& focus) {
  // Orca 48 reads the keyboard beside the game. When it reads a key after the game has moved
  // the focus, while its own focus is the whole window (no control had it, or a dialog has just
  // closed), it takes the window's focused control for its focus without a word, and then
  // ignores the focus signal as old news (scripts/default.py, presentKeyboardEvent). So the
  // control's name is told as changed, just before its focus. Orca 48 handles a focus before a
  // name change: if it spoke the focus it knows the name and says nothing more, and if it took
  // the focus in silence it says the control as renamed (ax_utilities_event.py,
  // is_presentable_name_change). Orca 43 handles signals in order and reads the keys before the
  // game: the name change comes while its focus is elsewhere, and it ignores it.
  focus.object();
  focus.notifyName();
}

void FormPeers::reconcile(const toolkit::AccessibleTree& before) {
  // Nodes that went are removed from their old parent, as it listed them.
  std::vector<int> gone;
  for (const toolkit::AccessibleNode& old : before.nodes) {
    if (tree().find(old.id) == nullptr) gone.push_back(old.id);
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
      parent->notifyChild(false, index, *peer);
    }
  }
  for (int id : gone) {
    if (Peer* peer = peerOf(id)) voice_.forget(*peer);
    nodes_.erase(id);
  }
  // New nodes are made, parents first (the tree lists groups before what they hold).
  for (const toolkit::AccessibleNode& node : tree().nodes) {
    if (nodes_.count(node.id) != 0) continue;
    Peer& made = *(nodes_[node.id] = std::make_unique<NodePeer>(*this, node));
    Peer* parent = made.parent();
    if (parent == nullptr) continue;
    const std::vector<Peer*> siblings = parent->children();
    for (std::size_t i = 0; i < siblings.size(); ++i) {
      if (siblings[i] == &made) parent->notifyChild(true, static_cast<int>(i), made);
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
  announced_.clear();
  for (const std::string& text : sentences_) announced_ += (announced_.empty() ? "" : ". ") + text;
  // Its name is told, not its text: Orca 43 takes a text change of the window's child for a
  // move of the focus there, while the window itself has it, and then hears the window no more.
  status_->notifyName();
  // A screen reader speaks the focused object's new name itself, and any other change only
  // where it has the focus: the rest is said once, as the focus's description.
  Peer* focus = peerOf(tree().focusedId);
  const std::string focusName = focus != nullptr ? focus->name() : "";
  std::string text;
  for (const std::string& sentence : sentences) {
    if (sentence != focusName) text += (text.empty() ? "" : ". ") + sentence;
  }
  voice_.say(focus != nullptr ? *focus : *windowPeer_, text);
}

}  // namespace fltkhost
