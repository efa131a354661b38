#include "hosts/atk/atk_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

#include <algorithm>

#include "hosts/atk/atk_api.h"
#include "hosts/fltk/text_widgets.h"

namespace fltkhost {

namespace {

ScreenBox boxOf(const Fl_Widget& widget) {
  const Fl_Window* window = widget.window();
  if (window == nullptr) return {widget.x(), widget.y(), widget.w(), widget.h()};
  return {window->x() + widget.x(), window->y() + widget.y(), widget.w(), widget.h()};
}

void addState(AtkStateSet* states, AtkStateType state) {
  atk().atk_state_set_add_state(states, state);
}

// A message box's message is no description of the dialog: Orca 48 reads a dialog's
// description twice, or not at all when it resembles the title ("Start New Game?" in "New
// Game"). It is said once as the dialog's focus arrives (DialogPeers::update).
class DialogPeer : public Peer {
 public:
  DialogPeer(Fl_Window& window, std::string title, Peer& application,
             std::vector<std::unique_ptr<Peer>>& parts)
      : window_(window), title_(std::move(title)), application_(application), parts_(parts) {}
  unsigned interfaces() const override { return kWindow; }
  AtkRole role() const override { return ATK_ROLE_DIALOG; }
  std::string name() const override { return title_; }
  Peer* parent() const override { return &application_; }
  std::vector<Peer*> children() const override {
    std::vector<Peer*> out;
    for (const auto& part : parts_) out.push_back(part.get());
    return out;
  }
  // A dialog is modal: the keyboard is its own from the moment it shows.
  void addStates(AtkStateSet* states) const override {
    addState(states, ATK_STATE_MODAL);
    addState(states, ATK_STATE_ACTIVE);
  }
  ScreenBox extents() const override { return boxOf(window_); }

 private:
  Fl_Window& window_;
  std::string title_;
  Peer& application_;
  std::vector<std::unique_ptr<Peer>>& parts_;
};

}  // namespace

// What every part of one dialog shares, kept by the dialog's peers.
struct PartContext {
  Peer& dialog;
  const DescriptionVoice& voice;
  const Fl_Widget* const& focus;  // as the dialog last told it
  ActionQueue& actions;
  const void* owner;  // whose actions they are
};

namespace {

// A part of a dialog: its widget, or the dialog's text (no widget). It has the focus when the
// dialog last told so, whichever window FLTK's focus is in meanwhile (a reader that asks while
// the desktop moves the keyboard between windows would otherwise find no focus, and ignore the
// focus it was told of).
class PartPeer : public Peer {
 public:
  PartPeer(const PartContext& context, Fl_Widget* widget) : context_(context), widget_(widget) {}
  Peer* parent() const override { return &context_.dialog; }
  std::string description() const override { return context_.voice.descriptionOf(*this); }
  ScreenBox extents() const override {
    return widget_ != nullptr ? boxOf(*widget_) : context_.dialog.extents();
  }
  void addStates(AtkStateSet* states) const override {
    if (widget_ == nullptr) return;
    addState(states, ATK_STATE_FOCUSABLE);
    if (context_.focus == widget_) addState(states, ATK_STATE_FOCUSED);
  }
  bool grabFocus() override { return widget_ != nullptr && widget_->take_focus() != 0; }
  // A button's or the field's action: its widget's callback, on the loop's next turn.
  bool press(Fl_Widget* widget) {
    context_.actions.push(context_.owner, [widget] { widget->do_callback(); });
    return true;
  }

 protected:
  const PartContext& context_;
  Fl_Widget* widget_;
};

class TextPeer : public PartPeer {
 public:
  TextPeer(const PartContext& context, std::string text)
      : PartPeer(context, nullptr), text_(std::move(text)) {}
  unsigned interfaces() const override { return kText; }
  AtkRole role() const override { return ATK_ROLE_LABEL; }
  std::string name() const override { return text_; }

 private:
  std::string text_;
};

class ButtonPeer : public PartPeer {
 public:
  ButtonPeer(const PartContext& context, Fl_Button& button) : PartPeer(context, &button) {}
  unsigned interfaces() const override { return kAction; }
  AtkRole role() const override { return ATK_ROLE_PUSH_BUTTON; }
  std::string name() const override { return widget_->label() != nullptr ? widget_->label() : ""; }
  std::string actionName() const override { return "click"; }
  std::string actionWord() const override { return "Press"; }
  bool doAction() override { return press(widget_); }
};

// The input box's field, labelled by the dialog's text; its action is Enter's, accepting it.
class EntryPeer : public PartPeer {
 public:
  EntryPeer(const PartContext& context, TextInput& field, std::string name, Fl_Button* accept)
      : PartPeer(context, &field), field_(field), name_(std::move(name)), accept_(accept) {}
  unsigned interfaces() const override { return kText | kEditable | kAction; }
  AtkRole role() const override { return ATK_ROLE_ENTRY; }
  std::string name() const override { return name_; }
  void addStates(AtkStateSet* states) const override {
    PartPeer::addStates(states);
    addState(states, ATK_STATE_EDITABLE);
    addState(states, ATK_STATE_SINGLE_LINE);
  }
  std::string text() const override { return field_.value(); }
  int caret() const override { return characterAt(field_.position()); }
  std::pair<int, int> selection() const override {
    return std::minmax(characterAt(field_.position()), characterAt(field_.mark()));
  }
  bool setCaret(int offset) override {
    const int at = byteAt(offset);
    field_.position(at, at);
    return true;
  }
  // The field gives the box in its window; a screen reader wants it on the screen.
  ScreenBox characterBox(int offset) const override {
    const int byte = byteAt(offset);
    if (offset < 0 || byte >= field_.size() || field_.window() == nullptr) return {};
    const toolkit::PixelRect box = field_.characterBox(byte);
    if (box.w <= 0) return {};
    return {field_.window()->x() + box.x, field_.window()->y() + box.y, box.w, box.h};
  }
  void replaceText(int start, int end, const std::string& text) override {
    field_.replace(byteAt(start), byteAt(end), text.c_str(), static_cast<int>(text.size()));
    field_.redraw();
  }
  std::string actionName() const override { return accept_ != nullptr ? "activate" : ""; }
  std::string actionWord() const override { return "Accept"; }
  bool doAction() override { return accept_ != nullptr && press(accept_); }

 private:
  // The field counts bytes of its UTF-8, a screen reader characters.
  int characterAt(int byte) const {
    return characterCount(text().substr(0, static_cast<std::size_t>(byte)));
  }
  int byteAt(int character) const { return static_cast<int>(byteOfCharacter(text(), character)); }

  TextInput& field_;
  std::string name_;
  Fl_Button* accept_;
};

}  // namespace

DialogPeers::DialogPeers(Fl_Window& dialog, const DialogParts& parts, Peer& application,
                         ActionQueue& actions)
    : window_(dialog) {
  // The game writes carriage returns where a dialog breaks its lines.
  std::string text = parts.text;
  for (char& c : text) c = c == '\r' ? '\n' : c;
  if (parts.field == nullptr) message_ = text;
  dialog_ = std::make_unique<DialogPeer>(dialog, parts.title, application, parts_);
  context_ = std::make_unique<PartContext>(PartContext{*dialog_, voice_, focused_, actions, this});
  parts_.push_back(std::make_unique<TextPeer>(*context_, text));
  widgets_.push_back(nullptr);
  if (parts.field != nullptr) {
    Fl_Button* accept = parts.buttons.empty() ? nullptr : parts.buttons.front();
    parts_.push_back(std::make_unique<EntryPeer>(*context_, *parts.field, text, accept));
    widgets_.push_back(parts.field);
    field_ = parts_.back().get();
    fieldText_ = field_->text();
    fieldCaret_ = field_->caret();
  }
  for (Fl_Button* button : parts.buttons) {
    parts_.push_back(std::make_unique<ButtonPeer>(*context_, *button));
    widgets_.push_back(button);
  }
}

// The parts go before what they share, and the dialog last, as they were declared.
DialogPeers::~DialogPeers() = default;

void DialogPeers::tellOpened() {
  // The text labels the input box's field, or tells what the message box is for: read once,
  // with what it belongs to, not again as a loose label. The message box is not told that the
  // text describes it, or Orca 48 would read the text as its description again.
  if (field_ != nullptr) {
    parts_.front()->relate(ATK_RELATION_LABEL_FOR, ATK_RELATION_LABELLED_BY, *field_);
  } else {
    parts_.front()->relate(ATK_RELATION_DESCRIPTION_FOR, *dialog_);
  }
  dialog_->notifyWindow("create");
  dialog_->notifyWindow("activate");
  focused_ = nullptr;
  messageSaid_ = false;
  update();
}

void DialogPeers::tellClosed() {
  dialog_->notifyWindow("deactivate");
  dialog_->notifyWindow("destroy");
}

void DialogPeers::retire(RetiredObjects& into) {
  // The reader may still be working through the field's typing: told the focus left, it no
  // longer takes that field for where the keyboard is.
  for (std::size_t i = 0; i < widgets_.size(); ++i) {
    if (widgets_[i] != nullptr && widgets_[i] == focused_) {
      parts_[i]->notifyState(ATK_STATE_FOCUSED, false);
    }
  }
  for (const auto& part : parts_) into.keep(*part);
  into.keep(*dialog_);
}

void DialogPeers::update() {
  // A focus outside the dialog is the keyboard passing between windows (the window manager
  // giving it to the dialog), not a move: the reader keeps the part it was told of, and its words.
  const Fl_Widget* focus = Fl::focus();
  const bool ours =
      focus != nullptr && std::find(widgets_.begin(), widgets_.end(), focus) != widgets_.end();
  if (ours && focus != focused_) {
    voice_.hush();
    // The focus leaves one part before it reaches the next; the first part to get it then
    // says the message, once the reader has it as its focus.
    for (const Fl_Widget* which : {focused_, focus}) {
      for (std::size_t i = 0; i < widgets_.size(); ++i) {
        if (which == nullptr || widgets_[i] != which) continue;
        parts_[i]->notifyState(ATK_STATE_FOCUSED, which == focus);
        if (which == focus && !messageSaid_) {
          voice_.say(*parts_[i], message_);
          messageSaid_ = true;
        }
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
