#include "hosts/fltk/atk_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

#include "hosts/fltk/atk_field.h"
#include "hosts/fltk/text_widgets.h"

namespace fltkhost {

namespace {

ScreenBox boxOf(const Fl_Widget& widget) {
  const Fl_Window* window = widget.window();
  if (window == nullptr) return {widget.x(), widget.y(), widget.w(), widget.h()};
  return {window->x() + widget.x(), window->y() + widget.y(), widget.w(), widget.h()};
}

// The game writes carriage returns where a dialog breaks its lines.
std::string withLineBreaks(std::string text) {
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  return text;
}

class DialogPeer : public Peer {
 public:
  DialogPeer(Fl_Window& window, std::string title, std::vector<std::unique_ptr<Peer>>& parts)
      : window_(window), title_(std::move(title)), parts_(parts) {}
  Kind kind() const override { return Kind::Window; }
  AtkRole role() const override { return ATK_ROLE_DIALOG; }
  std::string name() const override { return title_; }
  Peer* parent() const override { return nullptr; }
  std::vector<Peer*> children() const override {
    std::vector<Peer*> out;
    for (const auto& part : parts_) out.push_back(part.get());
    return out;
  }
  void addStates(AtkStateSet* states) const override {
    atk_state_set_add_state(states, ATK_STATE_MODAL);
    atk_state_set_add_state(states, ATK_STATE_ACTIVE);
  }
  ScreenBox extents() const override { return boxOf(window_); }

 private:
  Fl_Window& window_;
  std::string title_;
  std::vector<std::unique_ptr<Peer>>& parts_;
};

// A part of a dialog: its widget, or the dialog's text (no widget).
class PartPeer : public Peer {
 public:
  PartPeer(Peer& dialog, Fl_Widget* widget) : dialog_(dialog), widget_(widget) {}
  Peer* parent() const override { return &dialog_; }
  ScreenBox extents() const override {
    return widget_ != nullptr ? boxOf(*widget_) : dialog_.extents();
  }
  ScreenBox windowBox() const override { return dialog_.extents(); }
  void addStates(AtkStateSet* states) const override {
    if (widget_ == nullptr) return;
    atk_state_set_add_state(states, ATK_STATE_FOCUSABLE);
    if (Fl::focus() == widget_) atk_state_set_add_state(states, ATK_STATE_FOCUSED);
  }
  bool grabFocus() override { return widget_ != nullptr && widget_->take_focus() != 0; }

 protected:
  Peer& dialog_;
  Fl_Widget* widget_;
};

class TextPeer : public PartPeer {
 public:
  TextPeer(Peer& dialog, std::string text) : PartPeer(dialog, nullptr), text_(std::move(text)) {}
  Kind kind() const override { return Kind::Text; }
  AtkRole role() const override { return ATK_ROLE_LABEL; }
  std::string name() const override { return text_; }

 private:
  std::string text_;
};

class ButtonPeer : public PartPeer {
 public:
  ButtonPeer(Peer& dialog, Fl_Button& button, ActionQueue& actions, const void* owner)
      : PartPeer(dialog, &button), button_(button), actions_(actions), owner_(owner) {}
  Kind kind() const override { return Kind::Action; }
  AtkRole role() const override { return ATK_ROLE_PUSH_BUTTON; }
  std::string name() const override { return button_.label() != nullptr ? button_.label() : ""; }
  int actionCount() const override { return 1; }
  std::string actionName(int) const override { return "click"; }
  std::string actionLocalName(int) const override { return "Press"; }
  bool doAction(int index) override {
    if (index != 0) return false;
    Fl_Button* button = &button_;
    actions_.push(owner_, [button] { button->do_callback(); });
    return true;
  }

 private:
  Fl_Button& button_;
  ActionQueue& actions_;
  const void* owner_;
};

// The input box's field; its action is Enter's, accepting the text.
class EntryPeer : public PartPeer {
 public:
  EntryPeer(Peer& dialog, TextInput& field, std::string name, Fl_Button* accept,
            ActionQueue& actions, const void* owner)
      : PartPeer(dialog, &field),
        field_(field),
        name_(std::move(name)),
        accept_(accept),
        actions_(actions),
        owner_(owner) {}
  Kind kind() const override { return Kind::Entry; }
  AtkRole role() const override { return ATK_ROLE_ENTRY; }
  std::string name() const override { return name_; }
  void addStates(AtkStateSet* states) const override {
    PartPeer::addStates(states);
    atk_state_set_add_state(states, ATK_STATE_EDITABLE);
    atk_state_set_add_state(states, ATK_STATE_SINGLE_LINE);
  }
  std::string text() const override { return FieldReader::text(field_); }
  int caret() const override { return FieldReader::caret(field_); }
  bool setCaret(int offset) override {
    FieldReader::setCaret(field_, offset);
    return true;
  }
  ScreenBox characterBox(int offset) const override {
    return FieldReader::characterBox(field_, offset);
  }
  void replaceText(int start, int end, const std::string& text) override {
    FieldReader::replace(field_, start, end, text);
  }
  int actionCount() const override { return accept_ != nullptr ? 1 : 0; }
  std::string actionName(int) const override { return "activate"; }
  std::string actionLocalName(int) const override { return "Accept"; }
  bool doAction(int index) override {
    if (index != 0 || accept_ == nullptr) return false;
    Fl_Button* accept = accept_;
    actions_.push(owner_, [accept] { accept->do_callback(); });
    return true;
  }

 private:
  TextInput& field_;
  std::string name_;
  Fl_Button* accept_;
  ActionQueue& actions_;
  const void* owner_;
};

}  // namespace

DialogPeers::DialogPeers(Fl_Window& dialog, const DialogParts& parts, ActionQueue& actions)
    : window_(dialog), dialog_(std::make_unique<DialogPeer>(dialog, parts.title, parts_)) {
  const std::string text = withLineBreaks(parts.text);
  parts_.push_back(std::make_unique<TextPeer>(*dialog_, text));
  widgets_.push_back(nullptr);
  if (parts.field != nullptr) {
    Fl_Button* accept = parts.buttons.empty() ? nullptr : parts.buttons.front();
    parts_.push_back(
        std::make_unique<EntryPeer>(*dialog_, *parts.field, text, accept, actions, this));
    widgets_.push_back(parts.field);
    field_ = parts_.back().get();
    fieldText_ = field_->text();
    fieldCaret_ = field_->caret();
  }
  for (Fl_Button* button : parts.buttons) {
    parts_.push_back(std::make_unique<ButtonPeer>(*dialog_, *button, actions, this));
    widgets_.push_back(button);
  }
}

DialogPeers::~DialogPeers() {
  parts_.clear();
  dialog_.reset();
}

void DialogPeers::tellOpened() {
  dialog_->notifyWindow("create");
  dialog_->notifyWindow("activate");
  update();
}

void DialogPeers::tellClosed() {
  dialog_->notifyWindow("deactivate");
  dialog_->notifyWindow("destroy");
}

void DialogPeers::update() {
  const Fl_Widget* focus = Fl::focus();
  if (focus != focused_) {
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
      if (widgets_[i] != nullptr && widgets_[i] == focused_) {
        parts_[i]->notifyState(ATK_STATE_FOCUSED, false);
      }
    }
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
      if (widgets_[i] != nullptr && widgets_[i] == focus) {
        parts_[i]->notifyState(ATK_STATE_FOCUSED, true);
      }
    }
    focused_ = focus;
  }
  if (field_ != nullptr) {
    const std::string text = field_->text();
    if (text != fieldText_) field_->notifyTextChanged(fieldText_, text);
    fieldText_ = text;
    const int caret = field_->caret();
    if (caret != fieldCaret_) field_->notifyCaret(caret);
    fieldCaret_ = caret;
  }
}

}  // namespace fltkhost
