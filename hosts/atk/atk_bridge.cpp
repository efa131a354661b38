#include "hosts/atk/atk_bridge.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hosts/atk/assistive_status.h"
#include "hosts/atk/atk_api.h"
#include "hosts/atk/atk_dialog.h"
#include "hosts/atk/atk_form.h"
#include "hosts/atk/glib_loop.h"

namespace fltkhost {

namespace {

// ATK asks for its root, the toolkit's name and its key listeners through functions without
// any data of their own: the one bridge of the process is found here. Set while it lives.
Accessibility* theBridge = nullptr;

}  // namespace

class Accessibility::Application : public Peer {
 public:
  explicit Application(const Accessibility& owner) : owner_(owner) {}
  AtkRole role() const override { return ATK_ROLE_APPLICATION; }
  std::string name() const override { return "Quintoz"; }
  Peer* parent() const override { return nullptr; }
  std::vector<Peer*> children() const override { return owner_.topLevels(); }
  ScreenBox extents() const override { return {}; }

 private:
  const Accessibility& owner_;
};

Accessibility::Accessibility(toolkit::Form& form, Fl_Window& window, windowcore::WindowCore& core)
    : window_(window),
      application_(std::make_unique<Application>(*this)),
      form_(std::make_unique<FormPeers>(form, window, core, *application_, actions_)),
      retired_(std::make_unique<RetiredObjects>()) {
  const char* off = std::getenv("NO_AT_BRIDGE");
  wanted_ = off == nullptr || std::strcmp(off, "1") != 0;
  theBridge = this;
}

Accessibility::~Accessibility() {
  Fl::remove_timeout(updateSoon, this);
  Fl::remove_timeout(tellWhatIsOpen, this);
  if (connected_) {
    Fl::event_dispatch(nullptr);
    atk().atk_bridge_adaptor_cleanup();
  }
  theBridge = nullptr;
  dialogs_.clear();
}

std::vector<Peer*> Accessibility::topLevels() const {
  std::vector<Peer*> out;
  if (windowListed_) out.push_back(&form_->window());
  for (const auto& dialog : dialogs_) out.push_back(&dialog->dialog());
  return out;
}

void Accessibility::connect(const std::string& address) {
  if (connected_ || AtkApi::get() == nullptr) return;
  const AtkApi& api = atk();
  // ATK's utility class answers for the whole toolkit: held for the rest of the run.
  auto* util = static_cast<AtkUtilClass*>(api.g_type_class_ref(api.atk_util_get_type()));
  util->get_root = []() -> AtkObject* { return theBridge->application_->object(); };
  util->get_toolkit_name = []() -> const gchar* { return "FLTK"; };
  util->get_toolkit_version = []() -> const gchar* { return "1.3"; };
  util->add_key_event_listener = [](AtkKeySnoopFunc snoop, gpointer data) -> guint {
    // The first listener is a screen reader's, which atk-bridge learns of once it knows which
    // events it wants: what is open is told to it then.
    if (theBridge->keyListeners_.empty()) Fl::add_timeout(0, tellWhatIsOpen, theBridge);
    theBridge->keyListeners_.push_back({++theBridge->lastListener_, snoop, data});
    return theBridge->lastListener_;
  };
  util->remove_key_event_listener = [](guint id) {
    std::erase_if(theBridge->keyListeners_, [id](const KeyListener& l) { return l.id == id; });
  };
  loop_ = std::make_unique<GlibLoop>();
  // atk-bridge reads the accessibility bus's address from here before asking anyone.
  setenv("AT_SPI_BUS_ADDRESS", address.c_str(), 1);
  if (api.atk_bridge_adaptor_init(nullptr, nullptr) != 0) return;
  connected_ = true;
  Fl::event_dispatch(dispatch);
  form_->update();
  if (windowListed_) application_->notifyChild(true, 0, form_->window());
  loop_->wake();
}

void Accessibility::tellWhatIsOpen(void* self) {
  auto& bridge = *static_cast<Accessibility*>(self);
  bridge.form_->update();
  if (bridge.windowListed_) bridge.form_->activate(Fl::focus() == &bridge.window_, true);
  for (const auto& dialog : bridge.dialogs_) dialog->tellOpened();
}

int Accessibility::dispatch(int event, Fl_Window* window) {
  Accessibility* self = theBridge;
  if (self != nullptr && (event == FL_KEYDOWN || event == FL_KEYUP) && self->keyTaken(event)) {
    return 1;
  }
  const int used = Fl::handle_(event, window);
  if (self != nullptr) self->handled(event);
  return used;
}

bool Accessibility::keyTaken(int event) {
  if (keyListeners_.empty() || fl_xevent == nullptr ||
      (fl_xevent->type != KeyPress && fl_xevent->type != KeyRelease)) {
    return false;
  }
  XKeyEvent key = fl_xevent->xkey;
  char typed[16] = {};
  KeySym keysym = NoSymbol;
  XLookupString(&key, typed, sizeof typed - 1, &keysym, nullptr);
  // A key that types something visible is named by what it types, any other by its keysym's
  // name ("Insert", "KP_Enter"), as GTK names them to screen readers.
  std::string name = typed;
  if (name.empty() || static_cast<unsigned char>(name[0]) <= ' ' || name[0] == 0x7f) {
    const char* symbol = XKeysymToString(keysym);
    name = symbol != nullptr ? symbol : "";
  }
  AtkKeyEventStruct atkEvent{};
  atkEvent.type = event == FL_KEYDOWN ? ATK_KEY_EVENT_PRESS : ATK_KEY_EVENT_RELEASE;
  atkEvent.state = key.state;
  atkEvent.keyval = static_cast<guint>(keysym);
  atkEvent.length = static_cast<gint>(name.size());
  atkEvent.string = name.data();
  atkEvent.keycode = static_cast<guint16>(key.keycode);
  atkEvent.timestamp = static_cast<guint32>(key.time);
  bool taken = false;
  // A listener may remove itself while it is told.
  for (const KeyListener& listener : std::vector<KeyListener>(keyListeners_)) {
    taken = listener.snoop(&atkEvent, listener.data) != 0 || taken;
  }
  return taken;
}

void Accessibility::handled(int event) {
  if ((event == FL_FOCUS || event == FL_UNFOCUS) && fl_xevent != nullptr &&
      (fl_xevent->type == FocusIn || fl_xevent->type == FocusOut) &&
      fl_xevent->xfocus.window == fl_xid(&window_) && fl_xevent->xfocus.detail != NotifyInferior) {
    // Keys go to the dialog while one is open, whichever window the desktop focused.
    form_->activate(fl_xevent->type == FocusIn && dialogs_.empty());
  }
  // Any event may move a dialog's focus: the window manager handing the keyboard around takes
  // it from the field and FLTK gives it back.
  for (const auto& dialog : dialogs_) dialog->update();
}

void Accessibility::painted() {
  if (!connected_) return;
  dirty_ = true;
  Fl::remove_timeout(updateSoon, this);
  Fl::add_timeout(0, updateSoon, this);
}

void Accessibility::updateSoon(void* self) {
  static_cast<Accessibility*>(self)->updateForm();
}

void Accessibility::updateForm() {
  dirty_ = false;
  form_->update();
}

void Accessibility::waiting() {
  if (!connected_) return;
  if (dirty_) updateForm();
  loop_->serveNow();
}

void Accessibility::windowShown() {
  if (windowListed_) return;
  windowListed_ = true;
  if (connected_) {
    application_->notifyChild(true, 0, form_->window());
    form_->window().notifyWindow("create");
    // The window may have had the keyboard before it was listed.
    if (form_->active()) form_->activate(true, true);
  }
}

void Accessibility::opened(Fl_Window& dialog, const DialogParts& parts) {
  // What the window's last event changed is told before the dialog takes over (the last
  // commit, before the winner's message).
  if (connected_) updateForm();
  dialogs_.push_back(std::make_unique<DialogPeers>(dialog, parts, *application_, actions_));
  if (connected_) {
    application_->notifyChild(true, static_cast<int>(topLevels().size()) - 1,
                              dialogs_.back()->dialog());
    dialogs_.back()->tellOpened();
  }
  if (wanted_ && status_ == nullptr) {
    status_ =
        std::make_unique<AssistiveStatus>([this](const std::string& address) { connect(address); });
  }
}

void Accessibility::closed(Fl_Window& dialog) {
  const auto at = std::find_if(dialogs_.begin(), dialogs_.end(),
                               [&](const auto& peers) { return &peers->window() == &dialog; });
  if (at == dialogs_.end()) return;
  if (connected_) {
    (*at)->tellClosed();
    const int index = static_cast<int>(at - dialogs_.begin()) + (windowListed_ ? 1 : 0);
    application_->notifyChild(false, index, (*at)->dialog());
  }
  actions_.cancel(at->get());
  (*at)->retire(*retired_);
  dialogs_.erase(at);
}

}  // namespace fltkhost
