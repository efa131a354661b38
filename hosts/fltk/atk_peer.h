#pragma once

#include <atk/atk.h>

#include <memory>
#include <string>
#include <vector>

#include "hosts/fltk/gobject_ref.h"

namespace fltkhost {

// A rectangle on the screen in device pixels.
struct ScreenBox {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

using AtkRef = std::unique_ptr<AtkObject, GObjectUnref>;

// What an AtkObject of this program asks about the thing it stands for. Each accessible thing
// (the window, a control of the form, a dialog, one of its widgets) is a Peer; the AtkObject,
// made on first use, forwards ATK's calls to it. The AtkObject may outlive the Peer while a
// client still holds it: it then reports itself defunct and answers nothing. Owned by the
// accessibility bridge.
class Peer {
 public:
  enum class Kind { Plain, Action, Text, Entry, Window };

  virtual ~Peer();
  Peer() = default;
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  // The AtkObject, made on the first call with the type the kind needs; holds no new reference.
  AtkObject* object();
  // True once object() has been asked for, so that a signal has someone to reach.
  bool made() const { return object_ != nullptr; }

  virtual Kind kind() const { return Kind::Plain; }
  virtual AtkRole role() const = 0;
  virtual std::string name() const = 0;
  virtual Peer* parent() const = 0;
  virtual std::vector<Peer*> children() const { return {}; }
  // The states beyond those every shown object has (enabled, sensitive, visible, showing).
  virtual void addStates(AtkStateSet* /*states*/) const {}
  virtual ScreenBox extents() const = 0;
  // The top-left corner of the window the peer lies in, for coordinates relative to it.
  virtual ScreenBox windowBox() const {
    return parent() != nullptr ? parent()->windowBox() : extents();
  }
  virtual bool grabFocus() { return false; }
  // Key/value pairs ATK lists as the object's attributes.
  virtual std::vector<std::pair<std::string, std::string>> attributes() const { return {}; }

  // Kind::Action and Kind::Entry: the actions. do returns at once; the click runs later.
  virtual int actionCount() const { return 0; }
  virtual std::string actionName(int /*index*/) const { return {}; }
  virtual std::string actionLocalName(int index) const { return actionName(index); }
  virtual bool doAction(int /*index*/) { return false; }

  // Kind::Text and Kind::Entry: the text, the caret (a character offset, -1 for none) and one
  // character's rectangle on the screen.
  virtual std::string text() const { return name(); }
  virtual int caret() const { return -1; }
  virtual bool setCaret(int /*offset*/) { return false; }
  virtual ScreenBox characterBox(int /*offset*/) const { return {}; }
  // Kind::Entry: replaces characters [start, end) by `text` (offsets in characters).
  virtual void replaceText(int /*start*/, int /*end*/, const std::string& /*text*/) {}

  // Signals, sent only for an object a client has seen.
  void notifyName();
  void notifyState(AtkStateType state, bool on);
  void notifyChildAdded(int index, Peer& child);
  void notifyChildRemoved(int index, Peer& child);
  // The text changed from `before` to the current text; the caret moved to `caret`.
  void notifyTextChanged(const std::string& before, const std::string& after);
  void notifyCaret(int caret);
  // A window signal ("activate", "deactivate", "create", "destroy") for Kind::Window.
  void notifyWindow(const char* signal);

 private:
  AtkRef object_;
};

// Called by the bridge: the number of characters in UTF-8 text, and the byte where a character
// offset begins (the end for offsets past it). Change nothing.
int characterCount(const std::string& text);
std::size_t byteOfCharacter(const std::string& text, int offset);

}  // namespace fltkhost
