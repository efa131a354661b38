#pragma once

#include <atk/atk.h>

#include <string>
#include <utility>
#include <vector>

namespace fltkhost {

// A rectangle on the screen in device pixels.
struct ScreenBox {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// What an AtkObject of this program asks about the thing it stands for. Each accessible thing
// (the window, a control of the form, a dialog, one of its widgets) is a Peer; the AtkObject,
// made on first use with a GObject type for exactly the ATK interfaces the peer offers, forwards
// ATK's calls to it. The AtkObject may outlive the Peer while a client still holds it: it then
// reports itself defunct and answers nothing. Owned by the accessibility bridge, which must have
// loaded ATK (atk_api.h) before any peer's object is asked for.
class Peer {
 public:
  // The ATK interfaces beyond AtkObject's own and AtkComponent, which every peer has.
  enum Interfaces : unsigned { kAction = 1, kText = 2, kEditable = 4, kWindow = 8 };

  virtual ~Peer();
  Peer() = default;
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  // The AtkObject, made on the first call; holds no new reference.
  AtkObject* object();
  // True once object() has been asked for, so that a signal has someone to reach.
  bool made() const { return object_ != nullptr; }

  virtual unsigned interfaces() const { return 0; }
  virtual AtkRole role() const = 0;
  virtual std::string name() const = 0;
  // What ATK tells as the description: a screen reader speaks a change of the focused one's.
  virtual std::string description() const { return {}; }
  // The peer this one lies in: the application for a top-level window, null for the
  // application itself.
  virtual Peer* parent() const = 0;
  virtual std::vector<Peer*> children() const { return {}; }
  // The states beyond those every shown object has (enabled, sensitive, visible, showing).
  virtual void addStates(AtkStateSet* /*states*/) const {}
  virtual ScreenBox extents() const = 0;
  // The window the peer lies in, for coordinates relative to it.
  virtual ScreenBox windowBox() const {
    return (interfaces() & kWindow) != 0 || parent() == nullptr ? extents() : parent()->windowBox();
  }
  virtual bool grabFocus() { return false; }

  // kAction: the one action's name ("click"), the word a person reads for it ("Press"), and
  // doing it, which returns at once while the click runs later.
  virtual std::string actionName() const { return {}; }
  virtual std::string actionWord() const { return actionName(); }
  virtual bool doAction() { return false; }

  // kText: the text, the caret (a character offset, -1 for none) and one character's
  // rectangle on the screen; kEditable: replacing characters [start, end) by `text`.
  virtual std::string text() const { return name(); }
  virtual int caret() const { return -1; }
  virtual bool setCaret(int /*offset*/) { return false; }
  virtual ScreenBox characterBox(int /*offset*/) const { return {}; }
  // The selected characters [first, second), equal when none are.
  virtual std::pair<int, int> selection() const { return {0, 0}; }
  virtual void replaceText(int /*start*/, int /*end*/, const std::string& /*text*/) {}

  // Signals, sent only for an object a client has seen (and for a focus it has not).
  void notifyName();
  void notifyDescription();
  void notifyState(AtkStateType state, bool on);
  void notifyChild(bool added, int index, Peer& child);
  // The text changed from `before` to the current text; the caret moved to `caret`.
  void notifyTextChanged(const std::string& before, const std::string& after);
  void notifyCaret(int caret);
  // A window signal ("activate", "deactivate", "create", "destroy") for a kWindow peer.
  void notifyWindow(const char* signal);
  // Tells ATK how this peer stands to `target`: labels it (LABEL_FOR), or describes it
  // (DESCRIPTION_FOR); `target` is told the converse.
  void relate(AtkRelationType relation, AtkRelationType converse, Peer& target);
  // The same, with `target` told nothing.
  void relate(AtkRelationType relation, Peer& target);

 private:
  friend class RetiredObjects;
  AtkObject* object_ = nullptr;  // one reference, given back when the peer goes
};

// The objects of peers that are gone, held until this goes: each still answers, as defunct,
// and is not told gone. Orca 48.1 keeps what it learns of an object under the address of the
// client's handle for it. A defunct signal makes atk-bridge forget the object, the client
// frees its handle, a new object may take the address, and Orca takes it for the dead one (a
// new prompt's field left unsaid). Holding the few objects of each closed dialog until the
// window closes keeps every handle alive.
class RetiredObjects {
 public:
  RetiredObjects() = default;
  ~RetiredObjects();
  RetiredObjects(const RetiredObjects&) = delete;
  RetiredObjects& operator=(const RetiredObjects&) = delete;
  // The peer then holds no object, and may go.
  void keep(Peer& peer);

 private:
  std::vector<AtkObject*> objects_;  // one reference each
};

// Called by the bridge: the number of characters in UTF-8 text, and the byte where a character
// offset begins (the end for offsets past it). Change nothing.
int characterCount(const std::string& text);
std::size_t byteOfCharacter(const std::string& text, int offset);

}  // namespace fltkhost
